// The star grid against the records it copies: every star once, in a block
// whose box holds it, its position made to the bit of its record's whatever
// the position, and its code its record's, discs too large for a byte among
// them; a map's stars all kept in whole millionths; and the codes for an
// observer position those of the exact distances and magnitudes.
#include "render/StarGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "CatalogFill.h"
#include "MagnitudeEdgeStars.h"
#include "MapBytes.h"
#include "ReferencePasses.h"
#include "RenderTestSupport.h"
#include "render/StarPlot.h"

namespace {

// Checks the grid of catalog's records; returns the blocks whose positions
// are read from the records.
size_t ExpectRecordsKept(const StarCatalog& catalog) {
  StarGrid grid;
  EXPECT_TRUE(grid.Build(catalog.m_pStars, catalog.m_nStars));
  grid.RefreshCodes(catalog.m_pStars, nullptr);
  std::vector<int> seen(static_cast<size_t>(catalog.m_nStars), 0);
  size_t fromRecords = 0;
  for (const GridBlock& block : grid.Blocks()) {
    fromRecords += block.fromRecords;
    for (uint32_t s = block.begin; s < block.end; ++s) {
      const GridStar& star = grid.Stars()[s];
      const StarEntry& record = catalog.m_pStars[star.Index()];
      ++seen[star.Index()];
      const Vector3D p = grid.PositionOf(star, block);
      EXPECT_EQ(std::memcmp(&p, &record.vPos, sizeof p), 0) << star.Index();
      EXPECT_EQ(grid.CodeOf(star), StarDrawCode(record.dDistance, record.dAppMagnitude, true))
          << star.Index();
      if (block.bounded) {
        EXPECT_TRUE(p.x >= block.low.x && p.y >= block.low.y && p.z >= block.low.z && p.x <= block.high.x &&
                    p.y <= block.high.y && p.z <= block.high.z);
      }
    }
  }
  EXPECT_EQ(seen, std::vector<int>(seen.size(), 1));
  return fromRecords;
}

TEST(StarGridRecords, EveryPositionAndCodeKeptToTheBit) {
  std::mt19937 random(3);
  std::vector<MapRecord> records;
  for (uint32_t i = 0; i < 6000; ++i)  // anywhere a map can place a star
    records.push_back({i, static_cast<int32_t>(random()), static_cast<int32_t>(random()),
                       static_cast<int32_t>(random()), 0, "", ""});
  const Bytes bytes = MapBytes(records, true);
  StarCatalog catalog;
  ASSERT_TRUE(catalog.LoadStarMap(bytes.data(), bytes.size()));
  std::uniform_real_distribution<double> magnitude(-400.0, 8.0);  // discs of any size
  for (int32_t i = 0; i < catalog.m_nStars; ++i) {
    catalog.m_pStars[i].dDistance = 1.0;
    catalog.m_pStars[i].dAppMagnitude = magnitude(random);
  }
  EXPECT_EQ(ExpectRecordsKept(catalog), 0u);

  // Positions no map holds, among the map's.
  const double odd[] = {0.1,   -0.0,         1e-300, 2147.483648, -2147.483649,
                        1e300, std::nan(""), 5e14,   1e16,        -std::numeric_limits<double>::infinity()};
  std::vector<StarEntry> mixed(catalog.m_pStars, catalog.m_pStars + catalog.m_nStars);
  for (size_t i = 0; i < mixed.size(); i += 3) mixed[i].vPos.y = odd[i / 3 % std::size(odd)];
  FillCatalog(catalog, mixed);
  EXPECT_GT(ExpectRecordsKept(catalog), 0u);
}

// The codes for an observer position against those of the straightforward
// values, over a flight that starts on a star (too near), leaves it, and
// goes far out: every code, every near star, every label candidate, and no
// star from a block's drawEnd on drawn. The records' own distances and
// magnitudes are never read (they hold nonsense).
TEST(StarGridPosition, CodesOfTheExactValuesAlongAFlight) {
  const Vector3D start(3.25, -1.5, 7.0);
  std::vector<StarEntry> stars = MagnitudeEdgeStars(start);
  for (StarEntry& star : stars) star.dDistance = star.dAppMagnitude = 4.0;
  StarCatalog catalog;
  FillCatalog(catalog, stars);
  StarGrid grid;
  ASSERT_TRUE(grid.Build(catalog.m_pStars, catalog.m_nStars));
  for (const Vector3D& observer : {start, Vector3D(3.2, -1.5, 7.0), Vector3D(30.0, 1.0, 900.0), start,
                                   Vector3D(6000.0, -9000.0, 2.0), Vector3D(-40.0, 2.0, 900.0)}) {
    SCOPED_TRACE(observer.x);
    grid.RefreshCodes(catalog.m_pStars, &observer);
    std::vector<StarEntry> expected = stars;
    reference::UpdateMagnitudes(expected.data(), static_cast<int64_t>(expected.size()), observer);
    for (const GridBlock& block : grid.Blocks())
      for (uint32_t s = block.begin; s < block.end; ++s) {
        const GridStar& star = grid.Stars()[s];
        const StarEntry& exact = expected[star.Index()];
        const int32_t code = StarDrawCode(exact.dDistance, exact.dAppMagnitude, true);
        if (s < block.drawEnd) {
          ASSERT_EQ(grid.CodeOf(star), code) << star.Index();
        } else {
          ASSERT_EQ(code, kDrawNothing) << star.Index();
        }
        ASSERT_EQ(StarGrid::WhiteCodeOf(star),
                  exact.dDistance < kNearestDrawnDistance ? kDrawNothing : kDrawWhite)
            << star.Index();
        const uint8_t magnitudeClass = MagnitudeClassOf(exact.dDistance, exact.dAppMagnitude);
        ASSERT_EQ(grid.LabelBits().Test(star.Index()), ClassMayGetLabel(magnitudeClass, exact.szName[0] != 0))
            << star.Index();
      }
  }
}

}  // namespace
