// The format's encoder against the loader: records written by MapCodec in
// either encoding load back as the values they were made from, at the
// extremes of every field.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "catalog/MapCodec.h"
#include "catalog/StarCatalog.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();

const MapStar kStars[] = {
    {32349, -1234567, 8600000, 1, 1420000, "Q7", "Kelvar"},
    {0, 0, 0, 0, 0, "", ""},
    {kMaxCatalogNumber, kMin, kMax, -1, kMin, std::string(kMaxTagLength, 'T'),
     std::string(kMaxNameLength, 'N')},
    {1, kMax, kMin, kMax, kMax, "\xFE", std::string("a\0b", 3)},  // 0x00 is a character when complemented
};

TEST(MapCodec, RecordsLoadBackAsWrittenInBothEncodings) {
  for (const MapEncoding& encoding : {kPlainEncoding, kComplementedEncoding}) {
    const bool complemented = encoding == kComplementedEncoding;
    const size_t count = complemented ? std::size(kStars) : std::size(kStars) - 1;
    const auto header = EncodeMapHeader(static_cast<uint32_t>(count), encoding);
    std::string bytes(header.begin(), header.end());
    for (size_t i = 0; i < count; ++i) AppendMapRecord(bytes, kStars[i], encoding);

    StarCatalog catalog;
    MapDiagnosis diagnosis;
    ASSERT_EQ(
        catalog.LoadStarMap(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &diagnosis),
        1)
        << encoding.name;
    EXPECT_EQ(diagnosis.complemented, complemented);
    ASSERT_EQ(static_cast<size_t>(catalog.m_nStars), count);
    EXPECT_EQ(diagnosis.endOffset, bytes.size()) << encoding.name;
    for (size_t i = 0; i < count; ++i) {
      const MapStar& star = kStars[i];
      const StarEntry& entry = catalog.m_pStars[i];
      EXPECT_EQ(static_cast<uint32_t>(entry.nCatalogNumber), star.catalogNumber) << encoding.name << i;
      EXPECT_EQ(entry.vPos.x, static_cast<double>(star.x) * 1e-6) << encoding.name << i;
      EXPECT_EQ(entry.vPos.y, static_cast<double>(star.y) * 1e-6) << encoding.name << i;
      EXPECT_EQ(entry.vPos.z, static_cast<double>(star.z) * 1e-6) << encoding.name << i;
      EXPECT_EQ(entry.dAbsMagnitude, static_cast<double>(star.absMag) * 1e-6) << encoding.name << i;
      EXPECT_EQ(std::string(entry.szTag), star.tag) << encoding.name << i;
      EXPECT_EQ(std::string(entry.szName), star.name.substr(0, star.name.find('\0'))) << encoding.name << i;
    }
  }
}

TEST(MapCodec, EncodesTheWorkedExampleInBothEncodings) {
  MapStar kelvar;
  kelvar.catalogNumber = 32349;
  kelvar.x = -1234567;
  kelvar.y = 8600000;
  kelvar.z = 1;
  kelvar.absMag = 1420000;
  kelvar.tag = "Q7";
  kelvar.name = "Kelvar";
  const std::string plain(
      "\x5D\x7E\x00\x79\x29\xED\xFF\xC0\x39\x83\x00\x01\x00\x00\x00\xE0\xAA\x15\x00\x51\x37\x00"
      "Kelvar\x00",
      29);
  const std::string complemented(
      "\x5D\x7E\x00\x86\x29\xED\xFF\xC0\xC6\x83\x00\x01\x00\xFF\x00\xE0\xAA\x15\xFF\x51\x37\xFF"
      "Kelvar\xFF",
      29);
  std::string record;
  AppendMapRecord(record, kelvar, kPlainEncoding);
  EXPECT_EQ(record, plain);
  record.clear();
  AppendMapRecord(record, kelvar, kComplementedEncoding);
  EXPECT_EQ(record, complemented);

  const auto header = EncodeMapHeader(0x123456, kComplementedEncoding);
  EXPECT_EQ(std::string(header.begin(), header.end()),
            std::string("starmap\x02\x00\x65\x01\x00\x56\x34\x12", 15));
  EXPECT_EQ(EncodeMapHeader(1, kPlainEncoding)[9], 0);
}

}  // namespace
