// The document's start-up load: a missing map leaves it as it was, a good or
// empty map marks the map present, and a reload follows the same rules.
#include "catalog/SkyglassDoc.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "MapBytes.h"
#include "TempDirectory.h"

namespace {

const MapRecord kVega{91262, 1, 2, 3, 580000, "A0", "Vega"};
const MapRecord kKelvar{32349, -1234567, 8600000, 1, 1420000, "Q7", "Kelvar"};

class SkyglassDocTest : public ::testing::Test {
 protected:
  TempDirectory m_directory{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::string m_mapPath = m_directory.File("map.smp");
  CSkyglassDoc m_doc{m_mapPath};

  void WriteMap(const Bytes& bytes) { m_directory.Write("map.smp", bytes); }
};

TEST_F(SkyglassDocTest, StartsWithoutAMapReadingMapSmpByDefault) {
  EXPECT_EQ(CSkyglassDoc().MapPath(), "map.smp");
  EXPECT_EQ(m_doc.m_bMapPresent, 0);
  EXPECT_EQ(m_doc.GetStarCount(), 0);
  EXPECT_EQ(m_doc.m_catalog.m_pStars, nullptr);
}

TEST_F(SkyglassDocTest, MissingMapSucceedsWithoutAMapAndCreatesNoFile) {
  EXPECT_EQ(m_doc.OnNewDocument(), 1);
  EXPECT_EQ(m_doc.m_bMapPresent, 0);
  EXPECT_EQ(m_doc.GetStarCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(m_mapPath));
}

TEST_F(SkyglassDocTest, DirectoryInPlaceOfTheMapCountsAsMissing) {
  std::filesystem::create_directory(m_mapPath);
  EXPECT_EQ(m_doc.OnNewDocument(), 1);
  EXPECT_EQ(m_doc.m_bMapPresent, 0);
}

TEST_F(SkyglassDocTest, GoodMapIsLoadedAndMarkedPresent) {
  WriteMap(MapBytes({kVega, kKelvar}, true));
  EXPECT_EQ(m_doc.OnNewDocument(), 1);
  EXPECT_EQ(m_doc.m_bMapPresent, 1);
  ASSERT_EQ(m_doc.GetStarCount(), 2);
  EXPECT_STREQ(m_doc.m_catalog.m_pStars[1].szName, "Kelvar");
  EXPECT_EQ(m_doc.m_catalog.m_pStars[1].vPos.x, -1234567 * 1e-6);
}

TEST_F(SkyglassDocTest, MapOfNoStarsIsStillAMap) {
  WriteMap(MapHeader(0));
  EXPECT_EQ(m_doc.OnNewDocument(), 1);
  EXPECT_EQ(m_doc.m_bMapPresent, 1);
  EXPECT_EQ(m_doc.GetStarCount(), 0);
}

TEST_F(SkyglassDocTest, RejectedMapLeavesTheDocumentWithoutAMap) {
  Bytes bytes = MapBytes({kVega});
  bytes[7] = 3;
  WriteMap(bytes);
  EXPECT_EQ(m_doc.OnNewDocument(), 1);
  EXPECT_EQ(m_doc.m_bMapPresent, 0);
  EXPECT_EQ(m_doc.GetStarCount(), 0);
}

TEST_F(SkyglassDocTest, ReloadOfARejectedMapEmptiesTheCatalogueButKeepsTheFlag) {
  WriteMap(MapBytes({kVega, kKelvar}));
  ASSERT_EQ(m_doc.OnNewDocument(), 1);
  ASSERT_EQ(m_doc.GetStarCount(), 2);
  WriteMap(Bytes{'s', 't', 'a', 'r', 'm', 'a', 'p', 2});
  EXPECT_EQ(m_doc.OnNewDocument(), 1);
  EXPECT_EQ(m_doc.GetStarCount(), 0);
  EXPECT_EQ(m_doc.m_bMapPresent, 1);
}

TEST_F(SkyglassDocTest, ReloadWithTheMapGoneKeepsTheOldCatalogue) {
  WriteMap(MapBytes({kVega, kKelvar}));
  ASSERT_EQ(m_doc.OnNewDocument(), 1);
  const StarEntry* stars = m_doc.m_catalog.m_pStars;
  std::filesystem::remove(m_mapPath);
  EXPECT_EQ(m_doc.OnNewDocument(), 1);
  EXPECT_EQ(m_doc.m_bMapPresent, 1);
  EXPECT_EQ(m_doc.GetStarCount(), 2);
  EXPECT_EQ(m_doc.m_catalog.m_pStars, stars);
}

TEST_F(SkyglassDocTest, ReloadOfAnotherGoodMapReplacesTheCatalogue) {
  WriteMap(MapBytes({kVega, kKelvar}));
  ASSERT_EQ(m_doc.OnNewDocument(), 1);
  WriteMap(MapBytes({kKelvar}));
  EXPECT_EQ(m_doc.OnNewDocument(), 1);
  ASSERT_EQ(m_doc.GetStarCount(), 1);
  EXPECT_STREQ(m_doc.m_catalog.m_pStars[0].szName, "Kelvar");
}

}  // namespace
