// Decoding of well-formed maps in both encodings: field values, the header's
// free bytes, strings and their cut to the field widths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "MapBytes.h"
#include "catalog/StarCatalog.h"

namespace {

const Bytes kPlainExample = {
    0x73, 0x74, 0x61, 0x72, 0x6D, 0x61, 0x70, 0x02, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,  // header
    0x5D, 0x7E, 0x00, 0x79, 0x29, 0xED, 0xFF, 0xC0, 0x39, 0x83, 0x00, 0x01, 0x00, 0x00, 0x00,  // record
    0xE0, 0xAA, 0x15, 0x00, 0x51, 0x37, 0x00, 0x4B, 0x65, 0x6C, 0x76, 0x61, 0x72, 0x00};

const Bytes kComplementedExample = {
    0x73, 0x74, 0x61, 0x72, 0x6D, 0x61, 0x70, 0x02, 0x00, 0x65, 0x01, 0x00, 0x01, 0x00, 0x00,  // header
    0x5D, 0x7E, 0x00, 0x86, 0x29, 0xED, 0xFF, 0xC0, 0xC6, 0x83, 0x00, 0x01, 0x00, 0xFF, 0x00,  // record
    0xE0, 0xAA, 0x15, 0xFF, 0x51, 0x37, 0xFF, 0x4B, 0x65, 0x6C, 0x76, 0x61, 0x72, 0xFF};

const MapRecord kExampleStar{32349, -1234567, 8600000, 1, 1420000, "Q7", "Kelvar"};

double Millionths(int32_t n) { return static_cast<double>(n) * 1e-6; }

int Load(StarCatalog& catalog, const Bytes& bytes, MapDiagnosis* diagnosis = nullptr) {
  return catalog.LoadStarMap(bytes.data(), bytes.size(), diagnosis);
}

void ExpectStar(const StarEntry& star, const MapRecord& record) {
  EXPECT_EQ(star.nCatalogNumber, static_cast<int32_t>(record.catalogNumber));
  EXPECT_EQ(star.vPos.x, Millionths(record.x));
  EXPECT_EQ(star.vPos.y, Millionths(record.y));
  EXPECT_EQ(star.vPos.z, Millionths(record.z));
  EXPECT_EQ(star.dAbsMagnitude, Millionths(record.magnitude));
  EXPECT_STREQ(star.szTag, record.tag.c_str());
  EXPECT_STREQ(star.szName, record.name.c_str());
}

TEST(MapDecode, WorkedExamplesDecodeToTheSameStar) {
  for (const Bytes* bytes : {&kPlainExample, &kComplementedExample}) {
    StarCatalog catalog;
    MapDiagnosis diagnosis;
    ASSERT_EQ(Load(catalog, *bytes, &diagnosis), 1);
    ASSERT_EQ(catalog.m_nStars, 1);
    const StarEntry& star = catalog.m_pStars[0];
    EXPECT_EQ(star.nCatalogNumber, 32349);
    EXPECT_EQ(star.vPos.x, -1234567 * 1e-6);
    EXPECT_EQ(star.vPos.y, 8600000 * 1e-6);
    EXPECT_EQ(star.vPos.z, 1 * 1e-6);
    EXPECT_EQ(star.dAbsMagnitude, 1420000 * 1e-6);
    EXPECT_STREQ(star.szTag, "Q7");
    EXPECT_STREQ(star.szName, "Kelvar");
    EXPECT_EQ(star.bVisible, 0);
    EXPECT_EQ(diagnosis.rejection, MapRejection::None);
    EXPECT_EQ(diagnosis.complemented, bytes == &kComplementedExample);
    EXPECT_EQ(diagnosis.count, 1u);
    EXPECT_EQ(diagnosis.endOffset, bytes->size());
  }
}

TEST(MapDecode, HelperWritesTheWorkedExamples) {
  EXPECT_EQ(MapBytes({kExampleStar}), kPlainExample);
  EXPECT_EQ(MapBytes({kExampleStar}, true), kComplementedExample);
}

TEST(MapDecode, AllOnesFieldIsMinusOneMillionthInEachEncoding) {
  const Bytes fixed = {0x01, 0x02, 0x03};
  const Bytes plainFields(16, 0xFF);
  const Bytes complementedFields = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF,
                                    0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
  for (bool complemented : {false, true}) {
    Bytes bytes = MapHeader(1, complemented ? kComplementedSelector : 0);
    bytes.insert(bytes.end(), fixed.begin(), fixed.end());
    const Bytes& fields = complemented ? complementedFields : plainFields;
    bytes.insert(bytes.end(), fields.begin(), fields.end());
    const unsigned char terminator = complemented ? 0xFF : 0x00;
    bytes.insert(bytes.end(), {terminator, terminator});

    StarCatalog catalog;
    ASSERT_EQ(Load(catalog, bytes), 1) << complemented;
    const StarEntry& star = catalog.m_pStars[0];
    EXPECT_EQ(star.nCatalogNumber, 0x030201);
    for (double value : {star.vPos.x, star.vPos.y, star.vPos.z, star.dAbsMagnitude})
      EXPECT_EQ(value, -0.000001) << complemented;
  }
}

TEST(MapDecode, ValuesAreProductsWithOneMillionthAcrossTheRange) {
  // -1999999 * 1e-6 and -1999999 / 1e6 differ in the last bit.
  ASSERT_NE(Millionths(-1999999), -1999999 / 1e6);
  const std::vector<MapRecord> records = {
      {0, -1999999, 1999999, 0, -1, "", ""},
      {16777215, INT32_MIN, INT32_MAX, -1, 1, "", ""},
      {1, 2147000000, -2147000000, 123456789, -987654, "", ""},
  };
  for (bool complemented : {false, true}) {
    StarCatalog catalog;
    ASSERT_EQ(Load(catalog, MapBytes(records, complemented)), 1);
    ASSERT_EQ(catalog.m_nStars, 3);
    for (int i = 0; i < 3; ++i) ExpectStar(catalog.m_pStars[i], records[i]);
  }
}

TEST(MapDecode, OnlySelector65SelectsTheComplementedEncoding) {
  struct Row {
    const char* name;
    unsigned char selector;
    bool complemented;
  };
  const Row rows[] = {{"lowercase e", 0x65, true}, {"capital E", 0x45, false}, {"zero", 0x00, false},
                      {"d", 0x64, false},          {"f", 0x66, false},         {"FF", 0xFF, false}};
  for (const Row& row : rows) {
    Bytes bytes = MapBytes({kExampleStar}, row.complemented);
    bytes[9] = row.selector;
    StarCatalog catalog;
    MapDiagnosis diagnosis;
    ASSERT_EQ(Load(catalog, bytes, &diagnosis), 1) << row.name;
    EXPECT_EQ(diagnosis.complemented, row.complemented) << row.name;
    ExpectStar(catalog.m_pStars[0], kExampleStar);
  }
}

TEST(MapDecode, Byte11AndTrailingBytesAreIgnored) {
  for (unsigned char byte11 : {0x00, 0x01, 0x7F, 0xFF}) {
    Bytes bytes = MapBytes({kExampleStar, kExampleStar});
    bytes[11] = byte11;
    const size_t end = bytes.size();
    bytes.insert(bytes.end(), {'j', 'u', 'n', 'k', 0xFF, 0x00});
    StarCatalog catalog;
    MapDiagnosis diagnosis;
    ASSERT_EQ(Load(catalog, bytes, &diagnosis), 1);
    EXPECT_EQ(catalog.m_nStars, 2);
    EXPECT_EQ(diagnosis.endOffset, end);
    ExpectStar(catalog.m_pStars[1], kExampleStar);
  }
}

TEST(MapDecode, CountZeroLoadsAnEmptyCatalogue) {
  for (const Bytes& bytes : {MapHeader(0), MapHeader(0, kComplementedSelector), MapBytes({kExampleStar})}) {
    Bytes zeroCount = bytes;
    zeroCount[12] = zeroCount[13] = zeroCount[14] = 0;
    StarCatalog catalog;
    EXPECT_EQ(Load(catalog, zeroCount), 1);
    EXPECT_EQ(catalog.m_nStars, 0);
  }
}

TEST(MapDecode, CountIsLittleEndian24Bit) {
  const uint32_t count = 0x010203;
  Bytes bytes = MapHeader(count);
  ASSERT_EQ(bytes[12], 0x03);
  ASSERT_EQ(bytes[13], 0x02);
  ASSERT_EQ(bytes[14], 0x01);
  for (uint32_t i = 0; i < count; ++i) AppendMinimalRecord(bytes, i, 0, 0, 0, 0);
  StarCatalog catalog;
  ASSERT_EQ(Load(catalog, bytes), 1);
  EXPECT_EQ(catalog.m_nStars, 66051);
  EXPECT_EQ(catalog.m_pStars[66050].nCatalogNumber, 66050);
}

TEST(MapDecode, PlainStringsKeepFFAsACharacter) {
  const MapRecord star{7,
                       0,
                       0,
                       0,
                       0,
                       "A\xFF"
                       "B",
                       "\xFF\xFFname\xB0"};
  StarCatalog catalog;
  ASSERT_EQ(Load(catalog, MapBytes({star, kExampleStar})), 1);
  EXPECT_STREQ(catalog.m_pStars[0].szTag,
               "A\xFF"
               "B");
  EXPECT_STREQ(catalog.m_pStars[0].szName, "\xFF\xFFname\xB0");
  ExpectStar(catalog.m_pStars[1], kExampleStar);
}

TEST(MapDecode, ComplementedStringsCopyZeroBytesAndRunToFF) {
  const MapRecord star{7, 0, 0, 0, 0, std::string("T\0U", 3), std::string("Ab\0cd", 5)};
  StarCatalog catalog;
  ASSERT_EQ(Load(catalog, MapBytes({star, kExampleStar}, true)), 1);
  const StarEntry& first = catalog.m_pStars[0];
  EXPECT_EQ(std::string(first.szTag, 4), std::string("T\0U\0", 4));
  EXPECT_EQ(std::string(first.szName, 6), std::string("Ab\0cd\0", 6));
  EXPECT_STREQ(first.szName, "Ab");
  ExpectStar(catalog.m_pStars[1], kExampleStar);
}

TEST(MapDecode, OverLongStringsAreCutToTheirFieldsAndTheNextRecordStillDecodes) {
  struct Row {
    const char* name;
    size_t tagLength;
    size_t nameLength;
  };
  const Row rows[] = {{"widest that fit", 9, 133},
                      {"one over", 10, 134},
                      {"far over", 300, 1000},
                      {"tag over only", 12, 5},
                      {"name over only", 3, 140}};
  for (bool complemented : {false, true}) {
    for (const Row& row : rows) {
      const MapRecord longStar{
          9, 1, 2, 3, 4, std::string(row.tagLength, 't'), std::string(row.nameLength, 'n')};
      StarCatalog catalog;
      MapDiagnosis diagnosis;
      const Bytes bytes = MapBytes({longStar, kExampleStar}, complemented);
      ASSERT_EQ(Load(catalog, bytes, &diagnosis), 1) << row.name;
      const StarEntry& star = catalog.m_pStars[0];
      EXPECT_EQ(std::string(star.szTag), std::string(std::min<size_t>(row.tagLength, 9), 't')) << row.name;
      EXPECT_EQ(std::string(star.szName), std::string(std::min<size_t>(row.nameLength, 133), 'n'))
          << row.name;
      EXPECT_EQ(star.vPos.z, Millionths(3));
      ExpectStar(catalog.m_pStars[1], kExampleStar);
      EXPECT_EQ(diagnosis.endOffset, bytes.size());
    }
  }
}

}  // namespace
