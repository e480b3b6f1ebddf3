// Every way a map is refused: the header tests in their order, a count that
// cannot fit, records and strings cut off by the end of the data. Each leaves
// the catalogue empty and names the fault and where it lies.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "MapBytes.h"
#include "catalog/MapFailureText.h"
#include "catalog/StarCatalog.h"

namespace {

const MapRecord kFirst{1, 10, 20, 30, 40, "AB", "Long name of nineteen"};
const MapRecord kSecond{32349, -1234567, 8600000, 1, 1420000, "Q7", "Kelvar"};
const size_t kSecondStart = 15 + 21 + 2 + 21;  // header, then the first record

Bytes Good(bool complemented = false) { return MapBytes({kFirst, kSecond}, complemented); }

Bytes Cut(Bytes bytes, size_t length) {
  bytes.resize(length);
  return bytes;
}

Bytes WithByte(Bytes bytes, size_t offset, unsigned char value) {
  bytes[offset] = value;
  return bytes;
}

Bytes WithCount(Bytes bytes, uint32_t count) {
  for (int i = 0; i < 3; ++i) bytes[12 + i] = static_cast<unsigned char>(count >> (8 * i));
  return bytes;
}

struct RejectionRow {
  const char* name;
  Bytes bytes;
  MapRejection rejection;
  size_t offset;
  int32_t record;
};

std::vector<RejectionRow> RejectionRows() {
  const Bytes good = Good();
  // Count 2 needs at least 42 bytes after the header; these are 41.
  Bytes oneByteShortOfTwo = MapHeader(2);
  AppendMinimalRecord(oneByteShortOfTwo, 5, 0, 0, 0, 0);
  oneByteShortOfTwo.insert(oneByteShortOfTwo.end(), 20, 'x');
  return {
      {"empty file", {}, MapRejection::ShortHeader, 0, -1},
      {"magic cut after four bytes", Cut(good, 4), MapRejection::ShortHeader, 4, -1},
      {"header without its count", Cut(good, 12), MapRejection::ShortHeader, 12, -1},
      {"header one byte short", Cut(good, 14), MapRejection::ShortHeader, 14, -1},
      {"first magic byte", WithByte(good, 0, 'S'), MapRejection::BadMagic, 0, -1},
      {"last magic byte", WithByte(good, 6, 'P'), MapRejection::BadMagic, 6, -1},
      {"wrong magic in a short file", {'s', 't', 'a', 'x'}, MapRejection::BadMagic, 3, -1},
      {"version 1", WithByte(good, 7, 1), MapRejection::BadVersion, 7, -1},
      {"version 3", WithByte(good, 7, 3), MapRejection::BadVersion, 7, -1},
      {"byte 8 not zero", WithByte(good, 8, 1), MapRejection::BadByte8, 8, -1},
      {"byte 10 zero", WithByte(good, 10, 0), MapRejection::BadByte10, 10, -1},
      {"byte 10 two", WithByte(good, 10, 2), MapRejection::BadByte10, 10, -1},
      {"version tested before byte 10", WithByte(WithByte(good, 10, 0), 7, 3), MapRejection::BadVersion, 7,
       -1},
      {"byte 10 tested before the length", Cut(WithByte(good, 10, 0), 11), MapRejection::BadByte10, 10, -1},
      {"largest count in a small file", WithCount(good, 0xFFFFFF), MapRejection::CountTooLarge, 12, -1},
      {"count one byte beyond the data", oneByteShortOfTwo, MapRejection::CountTooLarge, 12, -1},
      {"count one more than the records", WithCount(good, 3), MapRejection::TruncatedRecord, good.size(), 2},
      {"record cut in its fixed part", Cut(good, kSecondStart + 10), MapRejection::TruncatedRecord,
       kSecondStart, 1},
      {"record cut before its tag", Cut(good, kSecondStart + 19), MapRejection::UnterminatedString,
       kSecondStart + 19, 1},
      {"tag without terminator", Cut(good, kSecondStart + 20), MapRejection::UnterminatedString,
       kSecondStart + 19, 1},
      {"name without terminator", Cut(good, kSecondStart + 25), MapRejection::UnterminatedString,
       kSecondStart + 22, 1},
      {"plain name ended by FF", WithByte(good, good.size() - 1, 0xFF), MapRejection::UnterminatedString,
       kSecondStart + 22, 1},
      {"complemented name ended by 00", WithByte(Good(true), good.size() - 1, 0x00),
       MapRejection::UnterminatedString, kSecondStart + 22, 1},
  };
}

TEST(MapRejection, EachFaultEmptiesTheCatalogueAndIsDiagnosed) {
  for (const RejectionRow& row : RejectionRows()) {
    StarCatalog catalog;
    const Bytes good = Good();
    ASSERT_EQ(catalog.LoadStarMap(good.data(), good.size()), 1);

    MapDiagnosis diagnosis;
    EXPECT_EQ(catalog.LoadStarMap(row.bytes.data(), row.bytes.size(), &diagnosis), 0) << row.name;
    EXPECT_EQ(catalog.m_nStars, 0) << row.name;
    EXPECT_EQ(catalog.m_pStars, nullptr) << row.name;
    EXPECT_EQ(diagnosis.rejection, row.rejection) << row.name << ": " << MapFailureReason(diagnosis);
    EXPECT_EQ(diagnosis.offset, row.offset) << row.name;
    EXPECT_EQ(diagnosis.record, row.record) << row.name;
  }
}

TEST(MapRejection, CountThatExactlyFitsMinimalRecordsLoads) {
  Bytes bytes = MapHeader(2);
  AppendMinimalRecord(bytes, 5, 0, 0, 0, 0);
  AppendMinimalRecord(bytes, 6, 0, 0, 0, 0);
  StarCatalog catalog;
  EXPECT_EQ(catalog.LoadStarMap(bytes.data(), bytes.size()), 1);
  EXPECT_EQ(catalog.m_nStars, 2);
}

TEST(MapRejection, ReloadReplacesTheLoadedCatalogue) {
  StarCatalog catalog;
  const Bytes two = Good();
  const Bytes one = MapBytes({kSecond}, true);
  ASSERT_EQ(catalog.LoadStarMap(two.data(), two.size()), 1);
  ASSERT_EQ(catalog.m_nStars, 2);
  ASSERT_EQ(catalog.LoadStarMap(one.data(), one.size()), 1);
  ASSERT_EQ(catalog.m_nStars, 1);
  EXPECT_STREQ(catalog.m_pStars[0].szName, "Kelvar");
}

}  // namespace
