// Whole keyboard flights against the straightforward passes: the press that
// recomputes the magnitudes, the presses that come too soon and only mark
// them stale, and the release that recomputes them again. At every step the
// pixels, drawn-star map, labels and the read-outs under the pointer must be
// those of recomputing every record, with stars on the edges of the
// magnitude classes, at distance 0 and 1e300, with positions that are not
// numbers, with magnitude drawing off and at the tolerance's extremes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "ReferencePaint.h"
#include "catalog/MagnitudeClass.h"
#include "geometry/MagnitudeTables.h"
#include "interaction/StarPick.h"
#include "interaction/StarReadout.h"
#include "view/KeyboardTravel.h"
#include "view/StarUnderPointer.h"

namespace {

constexpr int kWidth = 322;
constexpr int kHeight = 201;
constexpr int kPresses = 4;
constexpr int kAutoRepeatMs = 33;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The whole millionths nearest v, as a map file holds values.
double Millionths(double v) { return std::nearbyint(v * 1e6) * 1e-6; }

// Stars up to 3000 light years away in whole millionths, most of them beyond
// the tables; every 40th named.
std::vector<StarEntry> FarCloud(int32_t count) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coordinate(-3000.0, 3000.0);
  std::uniform_real_distribution<double> absMagnitude(-9.0, 4.0);
  std::vector<StarEntry> stars(static_cast<size_t>(count), StarEntry{});
  for (size_t i = 0; i < stars.size(); ++i) {
    stars[i].vPos = InMillionths(Vector3D(coordinate(random), coordinate(random), coordinate(random)));
    stars[i].dAbsMagnitude = Millionths(absMagnitude(random));
    if (i % 40 == 0) std::strcpy(stars[i].szName, "Far");
  }
  return stars;
}

StarEntry StarAt(const Vector3D& pos, double absMagnitude, const char* name = "") {
  StarEntry star{};
  star.vPos = pos;
  star.dAbsMagnitude = absMagnitude;
  std::strncpy(star.szName, name, sizeof star.szName - 1);
  return star;
}

// The observer flies along +z from the origin, 2 light years a press; the
// magnitudes are made at the first press (z = 2) and at the release
// (z = 2 * kPresses, or at every press with tolerance 0). For each of those
// positions, stars straight ahead beyond the tables whose magnitude lies on
// an edge of a class (to the millionth of the absolute magnitude, and
// exactly for the absolute magnitude the record holds unrounded), a star
// where the observer stands, stars 1e300 away and stars with a coordinate
// that is not a number.
std::vector<StarEntry> EdgeOfClassStars() {
  std::vector<StarEntry> stars = FarCloud(3000);
  const MagnitudeTables& tables = MagnitudeTables::Get();
  for (int press = 1; press <= kPresses; ++press) {
    const double z = 2.0 * press;
    for (const double edge : {7.0, 6.0, 5.0, 3.0, 2.0, -122.0}) {
      const double distance = 1500.0 + 10.0 * edge;  // whole light years: the distance is exact
      const double absMagnitude = edge - tables.Modulus(distance);
      const Vector3D pos(0.001 * edge, 0.0, z + distance);
      stars.push_back(StarAt(InMillionths(pos), Millionths(absMagnitude), "Edge"));
      stars.push_back(StarAt(pos, absMagnitude));
    }
    stars.push_back(StarAt(Vector3D(0.0, 0.0, z), 2.0, "Here"));
  }
  stars.push_back(StarAt(Vector3D(0.0, 0.0, 1e300), -5.0));
  stars.push_back(StarAt(Vector3D(1e300, 0.0, 0.0), -5.0));
  stars.push_back(StarAt(Vector3D(kNaN, 0.0, 5.0), -5.0));
  stars.push_back(StarAt(Vector3D(0.0, 0.0, kNaN), 1.0, "NaN"));
  return stars;
}

struct FlightRow {
  const char* name;
  int tolerance;
  int magnitudeDrawing;
};

class Flight : public testing::TestWithParam<FlightRow> {};

// The read-outs at points spread over the view, against the pick and the
// read-out of the reference's records; and the read-out of the faintest
// star, whose record a refresh is the last to write, as the selection's.
void ExpectReadoutsAsReference(CSkyglassView& view, const std::vector<StarEntry>& expected) {
  const bool magnitudesDrawn = view.m_bMagnitudeDrawing == 1 && view.m_bMagnitudesValid == 1;
  const MagnitudeState state = MagnitudeStateOf(view);
  for (int y = 1; y < kHeight; y += 6)
    for (int x = 1; x < kWidth; x += 6) {
      const int32_t index = PickDrawnStar(view.DrawnStars(), expected.data(),
                                          static_cast<int32_t>(expected.size()), x, y, magnitudesDrawn);
      const std::string text =
          index == DrawnStarMap::kNoStar ? std::string() : FormatStarReadout(expected[index], state);
      ASSERT_EQ(StarReadoutAt(view, x, y), text) << x << ", " << y;
    }
  const auto faintest = std::max_element(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
    return a.dAbsMagnitude < b.dAbsMagnitude;
  });
  view.m_nSelectedStar = static_cast<int32_t>(faintest - expected.begin());
  EXPECT_EQ(SelectionReadout(view), FormatStarReadout(*faintest, state));
  view.m_nSelectedStar = -1;  // its marker is no part of the reference frame
}

TEST_P(Flight, EveryStepPaintsAndReadsAsTheReference) {
  const FlightRow& row = GetParam();
  ResetTravelPressClock();
  CSkyglassDoc document("unused.smp");
  FillCatalog(document.m_catalog, EdgeOfClassStars());
  document.m_bMapPresent = 1;
  FakeViewPlatform platform;
  platform.markTextPixels = true;
  CSkyglassView view(document, platform);
  view.m_nMagTolerance = row.tolerance;
  view.m_bMagnitudeDrawing = row.magnitudeDrawing;
  view.m_bNames = view.m_bDistances = 1;
  view.m_dZoom = 0.5;
  view.OnSize(0, kWidth, kHeight);
  platform.clockMs = 100000;

  Vector3D magnitudesAt = view.m_vPosition;
  int refreshes = 0;
  auto step = [&](const char* name, auto handle) {
    SCOPED_TRACE(name);
    const uint64_t before = document.m_catalog.MagnitudesStamp();
    handle();
    if (document.m_catalog.MagnitudesStamp() != before) {
      magnitudesAt = view.m_vPosition;
      ++refreshes;
    }
    if (view.m_bProjectionDirty != 0) platform.texts.clear();  // else the frame and its texts stay
    view.OnDraw();
    ExpectReadoutsAsReference(view, ExpectPaintAsReference(view, document, platform, magnitudesAt));
  };
  step("first paint", [] {});
  refreshes = 0;
  for (int press = 1; press <= kPresses; ++press)
    step("press", [&] {
      platform.clockMs += kAutoRepeatMs;
      view.OnKeyDown(kVkUp);
    });
  step("release", [&] { view.OnKeyUp(kVkUp); });
  EXPECT_EQ(view.m_vPosition.z, 2.0 * kPresses);
  const int expectedRefreshes = row.magnitudeDrawing == 0 ? 0 : row.tolerance == 0 ? kPresses : 2;
  EXPECT_EQ(refreshes, expectedRefreshes);
}

INSTANTIATE_TEST_SUITE_P(Rows, Flight,
                         testing::Values(FlightRow{"Tolerance100", 100, 1}, FlightRow{"Tolerance0", 0, 1},
                                         FlightRow{"Tolerance2000", 2000, 1},
                                         FlightRow{"MagnitudeDrawingOff", 100, 0}),
                         [](const testing::TestParamInfo<FlightRow>& info) { return info.param.name; });

}  // namespace
