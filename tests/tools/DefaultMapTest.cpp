// The shipped map: what it holds, and that rebuilding it from the shipped
// catalogue gives the same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "ToolsTestSupport.h"

namespace {

const std::string kDataDir = VANTARO_DATA_DIR;

const StarEntry* FindByName(const StarCatalog& catalog, const char* name) {
  for (int32_t i = 0; i < catalog.m_nStars; ++i)
    if (std::strcmp(catalog.m_pStars[i].szName, name) == 0) return &catalog.m_pStars[i];
  return nullptr;
}

TEST(DefaultMap, HoldsTheCatalogueStarsWithAnAbsoluteMagnitude) {
  LoadedMap map;
  LoadMap(kDataDir + "/map.smp", &map);
  EXPECT_FALSE(map.diagnosis.complemented);
  EXPECT_EQ(map.catalog.m_nStars, 104741);  // 104,793 rows less 52 without a magnitude
  EXPECT_EQ(map.fileSize, map.diagnosis.endOffset);

  int32_t named = 0, designations = 0;
  for (int32_t i = 0; i < map.catalog.m_nStars; ++i) {
    const char* name = map.catalog.m_pStars[i].szName;
    named += name[0] != 0;
    designations += IsDialogDesignation(name);
    EXPECT_EQ(IsLabelDesignation(name), IsDialogDesignation(name)) << name;
  }
  EXPECT_EQ(named, 8848);
  EXPECT_EQ(designations, 8138);

  // Sirius: 8.6 ly away towards l = 227.23, b = -8.89, catalogue number HIP 32349.
  const StarEntry* sirius = FindByName(map.catalog, "Sirius");
  ASSERT_NE(sirius, nullptr);
  EXPECT_EQ(sirius->nCatalogNumber, 32349);
  EXPECT_EQ(sirius->dAbsMagnitude, 1444000 * 1e-6);
  const Vector3D p = sirius->vPos;
  const double distance = std::sqrt(p.x * p.x + (p.y * p.y + p.z * p.z));
  EXPECT_NEAR(distance, 2.637061 * 3.26156, 2e-6);
  EXPECT_NEAR(std::atan2(-p.x, p.z) * 180.0 / M_PI + 360.0, 227.23, 0.01);
  EXPECT_NEAR(std::asin(p.y / distance) * 180.0 / M_PI, -8.89, 0.01);

  const StarEntry* sol = FindByName(map.catalog, "Sol");
  ASSERT_NE(sol, nullptr);
  EXPECT_EQ(sol, &map.catalog.m_pStars[0]);
  EXPECT_EQ(sol->vPos.x, 0.0);
  ASSERT_NE(FindByName(map.catalog,
                       "B+38\xB0"
                       "4343"),
            nullptr);  // 61 Cyg A
  ASSERT_NE(FindByName(map.catalog, "B\xE9l\xE9nos"), nullptr);
  ASSERT_NE(FindByName(map.catalog, "Wolf 359"), nullptr);
}

TEST(DefaultMap, RebuildingGivesTheSameBytes) {
  TempDirectory dir("default-map");
  MakeMapOptions options;
  options.inputs = {kDataDir + "/stars.csv.gz"};
  options.output = dir.File("map.smp");
  std::string log;
  ASSERT_EQ(RunMakeMap(options, &log), kExitSuccess) << log;
  const std::string rebuilt = ReadBytes(options.output), shipped = ReadBytes(kDataDir + "/map.smp");
  EXPECT_EQ(rebuilt.size(), shipped.size());
  EXPECT_TRUE(rebuilt == shipped) << "data/map.smp differs from a rebuild; run the rebuild-map target";
}

TEST(DefaultMap, ListingReadsBackToTheSameBytes) {
  LoadedMap map;
  LoadMap(kDataDir + "/map.smp", &map);
  TempDirectory dir("default-listing");
  std::ostringstream listing;
  WriteStarsCsv(listing, map.catalog);
  MakeMapOptions options;
  options.inputs = {dir.Write("stars.csv", listing.str())};
  options.output = dir.File("map.smp");
  options.frame = WorldFrame::Map;
  ASSERT_EQ(RunMakeMap(options), kExitSuccess);
  EXPECT_TRUE(ReadBytes(options.output) == ReadBytes(kDataDir + "/map.smp"));
}

}  // namespace
