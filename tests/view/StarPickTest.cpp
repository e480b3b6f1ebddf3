// The star under the pointer: the pick rules on hand-made maps of drawn
// pixels, then through the view after real paints.
#include <gtest/gtest.h>

#include "ViewFixture.h"
#include "interaction/StarPick.h"
#include "interaction/StarReadout.h"
#include "view/StarUnderPointer.h"

namespace {

TEST(PickDrawnStar, RulesAroundThePointer) {
  struct Pixel {
    int x, y, star;
  };
  const struct {
    const char* name;
    std::vector<Pixel> drawn;        // window pixels; the pointer is at (10, 10)
    std::vector<double> magnitudes;  // one per star
    bool byBrightness;
    int32_t expected;
  } rows[] = {
      {"exact hit beats a brighter neighbour", {{10, 10, 0}, {11, 10, 1}}, {5, -1}, true, 0},
      {"nearest within the radius", {{13, 10, 0}, {10, 14, 1}}, {5, -1}, true, 0},
      {"exactly four pixels away", {{14, 10, 0}}, {5}, true, 0},
      {"just beyond four pixels", {{14, 11, 0}, {10, 15, 0}}, {5}, true, -1},
      {"equal distance goes to the brighter", {{12, 10, 0}, {10, 12, 1}}, {1, 3}, true, 0},
      {"equal brightness goes to the later", {{12, 10, 0}, {8, 10, 1}}, {2, 2}, true, 1},
      {"without magnitudes the later wins", {{12, 10, 0}, {10, 8, 1}}, {1, 5}, false, 1},
      {"a star's nearest pixel counts", {{6, 10, 0}, {11, 10, 0}, {10, 12, 1}}, {5, -1}, true, 0},
      {"index beyond the catalogue", {{10, 10, 5}}, {5}, true, -1},
  };
  for (const auto& row : rows) {
    DrawnStarMap map;
    map.Resize(20, 20);
    for (const Pixel& p : row.drawn) map.index[static_cast<size_t>(19 - p.y) * 20 + p.x] = p.star;
    std::vector<StarEntry> stars(row.magnitudes.size());
    for (size_t i = 0; i < stars.size(); ++i) stars[i].dAppMagnitude = row.magnitudes[i];
    const auto count = static_cast<int32_t>(stars.size());
    EXPECT_EQ(PickDrawnStar(map, stars.data(), count, 10, 10, row.byBrightness), row.expected) << row.name;
  }
}

// A 64 x 48 view. Each star is drawn with its right-hand column at window
// column x on line y: absolute magnitude -2 as one pixel (apparent about
// 3.9), -6 as a diamond five pixels wide. The third star is behind the observer.
TEST_F(ViewTest, PicksWhatTheLastPaintDrew) {
  const struct {
    const char* name;
    int x, y;
    double absMagnitude, z;
  } placed[] = {{"Early", 30, 20, -6, 500},
                {"Late", 33, 20, -6, 500},
                {"Behind", 10, 10, -6, -500},
                {"", 50, 40, -2, 500}};
  std::vector<TestStar> records;
  for (const auto& p : placed) records.push_back({p.name, p.x - 31.5, (47 - p.y) - 23.5, p.z});
  FillCatalog(doc.m_catalog, NamedStars(records));
  for (size_t i = 0; i < records.size(); ++i)
    doc.m_catalog.m_pStars[i].dAbsMagnitude = placed[i].absMagnitude;
  doc.m_catalog.m_pStars[3].nCatalogNumber = 4711;
  view.OnSize(0, 64, 48);
  view.OnDraw();
  auto nameAt = [&](int x, int y) {
    const int32_t index = PickStarAt(view, x, y);
    return std::string(index < 0 ? "(none)" : doc.m_catalog.m_pStars[index].szName);
  };
  EXPECT_EQ(nameAt(27, 20), "Early");
  EXPECT_EQ(nameAt(29, 20), "Late");  // both discs cover it; the later is on top
  EXPECT_EQ(nameAt(10, 10), "(none)");
  EXPECT_EQ(StarReadoutAt(view, 51, 41).substr(0, 15), "No. 4711   500.");  // unnamed, no tag, distance

  platform.clockMs = 1000;  // two presses faster than the tolerance: magnitudes held back
  view.OnKeyDown(kVkUp);
  platform.clockMs = 1010;
  view.OnKeyDown(kVkUp);
  EXPECT_EQ(nameAt(30, 20), "Late");  // not yet repainted: still the old frame
  view.OnDraw();
  EXPECT_EQ(StarReadoutAt(view, 50, 40), "No. 4711   distance and magnitude being recomputed   M -2.00");

  doc.m_bMapPresent = 0;
  EXPECT_EQ(nameAt(50, 40), "(none)");
}

}  // namespace
