// The star under the pointer: the pick rules on hand-made maps of drawn
// pixels, then through the view after real paints.
#include <gtest/gtest.h>

#include <cstring>

#include "ViewFixture.h"
#include "interaction/StarPick.h"
#include "interaction/StarReadout.h"

namespace {

struct DrawnPixel {
  int x;
  int y;  // window line
  int32_t star;
};

struct PickRow {
  const char* name;
  std::vector<DrawnPixel> drawn;
  std::vector<double> magnitudes;  // one per star of the catalogue
  bool byBrightness;
  int32_t expected;
};

TEST(PickDrawnStar, RulesAroundThePointer) {
  const PickRow rows[] = {
      {"exact hit beats a brighter neighbour", {{10, 10, 0}, {11, 10, 1}}, {5.0, -1.0}, true, 0},
      {"nearest within the radius", {{13, 10, 0}, {10, 14, 1}}, {5.0, -1.0}, true, 0},
      {"exactly four pixels away", {{14, 10, 0}}, {5.0}, true, 0},
      {"just beyond four pixels", {{14, 11, 0}, {10, 15, 0}}, {5.0}, true, DrawnStarMap::kNoStar},
      {"equal distance goes to the brighter", {{12, 10, 0}, {10, 12, 1}}, {1.0, 3.0}, true, 0},
      {"equal brightness goes to the later", {{12, 10, 0}, {8, 10, 1}}, {2.0, 2.0}, true, 1},
      {"without magnitudes the later wins", {{12, 10, 0}, {10, 8, 1}}, {1.0, 5.0}, false, 1},
      {"a star's nearest pixel counts", {{6, 10, 0}, {11, 10, 0}, {10, 12, 1}}, {5.0, -1.0}, true, 0},
      {"index beyond the catalogue", {{10, 10, 5}}, {5.0}, true, DrawnStarMap::kNoStar},
      {"nothing drawn", {}, {}, true, DrawnStarMap::kNoStar},
  };
  for (const PickRow& row : rows) {
    DrawnStarMap map;
    map.Resize(20, 20);
    for (const DrawnPixel& p : row.drawn) map.index[static_cast<size_t>(19 - p.y) * 20 + p.x] = p.star;
    std::vector<StarEntry> stars(row.magnitudes.size());
    for (size_t i = 0; i < stars.size(); ++i) stars[i].dAppMagnitude = row.magnitudes[i];
    EXPECT_EQ(PickDrawnStar(map, stars.data(), static_cast<int32_t>(stars.size()), 10, 10, row.byBrightness),
              row.expected)
        << row.name;
  }
}

// A 64 x 48 view at the start position. A star placed at (x, y) is drawn with
// its right-hand column at window column x on window line y; absolute
// magnitude -2 gives one white pixel (apparent about 3.9), -6 a diamond five
// pixels wide (about -0.1).
class PickInView : public ViewTest {
 protected:
  struct Placed {
    std::string name;
    int x;
    int y;
    double absMagnitude;
    double z = 500.0;  // negative: behind the observer
  };

  void Paint(const std::vector<Placed>& placed) {
    std::vector<TestStar> records;
    for (const Placed& p : placed) records.push_back({p.name, p.x - 31.5, (47 - p.y) - 23.5, p.z});
    FillCatalog(doc.m_catalog, records);
    for (size_t i = 0; i < placed.size(); ++i) {
      StarEntry& star = doc.m_catalog.m_pStars[i];
      star.dAbsMagnitude = placed[i].absMagnitude;
      star.nCatalogNumber = 101 + static_cast<int32_t>(i);
      std::strcpy(star.szTag, "G2V");
    }
    view.OnSize(0, 64, 48);
    view.OnDraw();
  }

  std::string NameAt(int x, int y) {
    const int32_t index = PickStarAt(view, x, y);
    return index < 0 ? "(none)" : doc.m_catalog.m_pStars[index].szName;
  }
};

TEST_F(PickInView, OverlappingDiscsAndStarsBehindTheObserver) {
  // Both discs cover columns 29 and 30 of line 20; the later star is on top there.
  Paint({{"Early", 30, 20, -6.0}, {"Late", 33, 20, -6.0}, {"Behind", 10, 10, -6.0, -500.0}});
  EXPECT_EQ(NameAt(27, 20), "Early");
  EXPECT_EQ(NameAt(29, 20), "Late");
  EXPECT_EQ(NameAt(30, 22), "Late");  // one line below the overlap
  EXPECT_EQ(NameAt(10, 10), "(none)");
}

TEST_F(PickInView, ReadOutOfAnUnnamedStarAndOfNothing) {
  Paint({{"", 40, 30, -2.0}});
  const std::string text = StarReadoutAt(view, 42, 31);
  EXPECT_EQ(text.rfind("No. 101   G2V   ", 0), 0u) << text;
  EXPECT_NE(text.find(" ly   m 3."), std::string::npos) << text;
  EXPECT_EQ(StarReadoutAt(view, 46, 30), "");
}

TEST_F(PickInView, StaleMagnitudesWhileFlyingThenNumbersAgain) {
  Paint({{"Kelvar", 40, 30, -2.0}});
  platform.clockMs = 1000;
  view.OnKeyDown(kVkUp);
  platform.clockMs = 1010;  // faster than the tolerance: the magnitudes are held back
  view.OnKeyDown(kVkUp);
  ASSERT_EQ(view.m_bMagnitudesValid, 0);
  view.OnDraw();
  EXPECT_EQ(StarReadoutAt(view, 40, 30), "Kelvar   G2V   distance and magnitude being recomputed   M -2.00");
  view.OnKeyUp(kVkUp);
  view.OnDraw();
  EXPECT_NE(StarReadoutAt(view, 40, 30).find(" ly   m 3."), std::string::npos);
}

TEST_F(PickInView, UntilTheRepaintTheOldFrameIsPicked) {
  Paint({{"Kelvar", 40, 30, -2.0}});
  view.OnZoom(2.0);  // the star moves out to column 49, line 36 at the next paint
  EXPECT_EQ(NameAt(40, 30), "Kelvar");
  view.OnDraw();
  EXPECT_EQ(NameAt(40, 30), "(none)");
  EXPECT_EQ(NameAt(49, 36), "Kelvar");
}

TEST_F(PickInView, NothingWithoutAMap) {
  Paint({{"Kelvar", 40, 30, -2.0}});
  doc.m_bMapPresent = 0;
  EXPECT_EQ(NameAt(40, 30), "(none)");
}

}  // namespace
