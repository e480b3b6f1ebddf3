// The view's paint from its star grid against the straightforward passes:
// pixels, drawn-star map, label buffer and texts must agree to the bit with
// projecting and drawing every record in catalogue order, over a turn, a
// flight with stale magnitudes and their return, for observers inside the
// cloud, inside a block, on a block's face, on a star and on the face of the
// grid, at the zooms' extremes, with stars on the edges of the view and
// positions that are not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "FakeViewPlatform.h"
#include "MapBytes.h"
#include "ReferencePaint.h"
#include "ReferencePasses.h"
#include "RenderTestSupport.h"
#include "geometry/ViewBasis.h"
#include "render/DrawnStarMap.h"
#include "render/LabelPass.h"
#include "render/StarGrid.h"
#include "view/SkyglassView.h"

namespace {

constexpr int kWidth = 322;
constexpr int kHeight = 201;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// count stars within 60 light years of the origin, every 97th named, most of
// them in whole millionths as from a map file; with odd, one in fifty has a
// coordinate that is not a finite number or is huge.
std::vector<StarEntry> Cloud(int32_t count, bool odd, uint32_t seed = 5) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> coordinate(-60.0, 60.0);
  std::uniform_real_distribution<double> absMagnitude(-4.0, 12.0);
  const double oddValues[] = {kNaN, kInfinity, -kInfinity, 1e300, -1e300, 1e16};
  std::vector<StarEntry> stars(static_cast<size_t>(count), StarEntry{});
  for (size_t i = 0; i < stars.size(); ++i) {
    StarEntry& star = stars[i];
    star.vPos = Vector3D(coordinate(random), coordinate(random), coordinate(random));
    if (i % 5 != 0) star.vPos = InMillionths(star.vPos);
    star.dAbsMagnitude = absMagnitude(random);
    if (i % 97 == 0) std::strcpy(star.szName, i % 2 ? "BD+12 345" : "Star");
    if (odd && random() % 50 == 0) {
      double* fields[] = {&star.vPos.x, &star.vPos.y, &star.vPos.z};
      *fields[random() % 3] = oddValues[random() % std::size(oddValues)];
    }
  }
  return stars;
}

// Bright stars whose projections land on the pixels around the four edges of
// the view and its corners, half a pixel on either side of each border, for
// an observer at the origin looking along yaw and pitch 0 at zoom 1.
std::vector<StarEntry> EdgeStars() {
  const ViewBasis basis = ComputeBasis(0.0, 0.0);
  std::vector<StarEntry> stars;
  const double depth = 20.0;
  for (const double column :
       {-1.6, -0.6, -0.1, 0.2, 3.5, kWidth - 2.5, kWidth - 0.4, kWidth + 0.3, kWidth + 1.2})
    for (const double row : {-1.4, -0.3, 0.4, 2.5, 100.5, kHeight - 3.5, kHeight - 0.2, kHeight + 0.6}) {
      const double x = (column - kWidth / 2) / kPixelsPerUnit;
      const double y = (kHeight / 2 - row) / kPixelsPerUnit;
      StarEntry star{};
      star.vPos = basis.forward * depth + basis.right * (x * depth) + basis.down * (y * depth);
      star.dAbsMagnitude = -3.0 + 0.01 * static_cast<double>(stars.size());
      stars.push_back(star);
    }
  return stars;
}

// Bright stars in front of the observer whose coordinates differ by the
// smallest denormal: the grid's extent has no finite reciprocal.
std::vector<StarEntry> DenormalApart() {
  std::vector<StarEntry> stars(3, StarEntry{});
  for (size_t i = 0; i < stars.size(); ++i) {
    stars[i].vPos = Vector3D(4.9e-324 * static_cast<double>(i), 0.0, 20.0);
    stars[i].dAbsMagnitude = -4.0 + static_cast<double>(i);
  }
  return stars;
}

struct Scene {
  const char* name;
  std::vector<StarEntry> stars;
  Vector3D observer;
  double yaw;
  double pitch;
  double zoom;
};

class GridPaint : public testing::TestWithParam<Scene> {};

TEST_P(GridPaint, MatchesTheStraightforwardPaintFrameAfterFrame) {
  const Scene& scene = GetParam();
  CSkyglassDoc document("unused.smp");
  FillCatalog(document.m_catalog, scene.stars);
  document.m_bMapPresent = 1;
  FakeViewPlatform platform;
  platform.markTextPixels = true;
  CSkyglassView view(document, platform);
  view.m_vPosition = scene.observer;
  view.m_dYaw = scene.yaw;
  view.m_dPitch = scene.pitch;
  ComputeBasis(scene.yaw, scene.pitch, view.m_vForward, view.m_vRight, view.m_vDown);
  view.m_dZoom = scene.zoom;
  view.m_bNames = view.m_bDistances = view.m_bDurchmusterung = 1;
  view.OnSize(0, kWidth, kHeight);

  Vector3D magnitudesAt = scene.observer;  // the first paint's
  auto paint = [&](const char* step) {
    SCOPED_TRACE(step);
    platform.texts.clear();
    view.m_bProjectionDirty = 1;
    view.OnDraw();
    ExpectPaintAsReference(view, document, platform, magnitudesAt);
  };
  paint("first paint");
  ComputeBasis(scene.yaw + 0.02, scene.pitch - 0.01, view.m_vForward, view.m_vRight, view.m_vDown);
  paint("turned");
  view.m_bNames = view.m_bDistances = view.m_bDurchmusterung = 0;
  paint("labels off");
  view.m_bMagnitudesValid = 0;
  paint("magnitudes stale");
  paint("magnitudes stale, the same frame again");
  view.m_vPosition = view.m_vPosition + view.m_vForward * 0.5;
  document.m_catalog.UpdateMagnitudes(view.m_vPosition);
  magnitudesAt = view.m_vPosition;
  view.m_bMagnitudesValid = 1;
  view.m_bNames = 1;
  paint("moved on, magnitudes current");
  view.m_bMagnitudeDrawing = 0;
  paint("magnitude drawing off");
}

Scene CloudScene(const char* name, int32_t count, bool odd, Vector3D observer, double zoom) {
  return {name, Cloud(count, odd), observer, 0.4, -0.2, zoom};
}

std::vector<Scene> Scenes() {
  std::vector<StarEntry> cloud = Cloud(3000, false);
  const Vector3D onAStar = cloud[17].vPos;
  Vector3D onTheFace = cloud[0].vPos;
  for (const StarEntry& star : cloud) onTheFace.x = std::min(onTheFace.x, star.vPos.x);
  StarGrid grid;  // the view builds the same grid from the same records
  grid.Build(cloud.data(), static_cast<int32_t>(cloud.size()));
  const GridBlock& block = grid.Blocks()[grid.Blocks().size() / 2];
  const Vector3D blockCentre = (block.low + block.high) * 0.5;
  return {
      {"InsideABlock", cloud, blockCentre, 0.7, 0.2, 1.0},
      {"OnABlocksFace", cloud, Vector3D(block.high.x, blockCentre.y, blockCentre.z), -1.5707963267948966, 0.0,
       1.0},
      CloudScene("InsideTheCloud", 3000, false, Vector3D(1.5, -2.0, 3.0), 1.5),
      {"OnAStar", cloud, onAStar, 1.1, 0.3, 1.0},
      {"OnTheGridsFace", cloud, onTheFace, 1.5707963267948966, 0.0, 1.0},
      CloudScene("OutsideLookingIn", 3000, false, Vector3D(0.0, 0.0, -150.0), 1.0),
      CloudScene("ZoomHalf", 3000, false, Vector3D(0.0, 0.0, 0.0), 0.5),
      CloudScene("Zoom2000Percent", 3000, false, Vector3D(0.0, 0.0, 0.0), 20.0),
      CloudScene("NotFiniteAndHugePositions", 5000, true, Vector3D(0.0, 0.0, 0.0), 1.0),
      CloudScene("ObserverNotFinite", 500, false, Vector3D(kNaN, 0.0, 0.0), 1.0),
      CloudScene("ObserverFarAway", 500, false, Vector3D(1e14, 0.0, 0.0), 1.0),
      CloudScene("ManyStarsOnEveryThread", 90000, true, Vector3D(0.0, 0.0, 0.0), 1.0),
      {"EdgesOfTheView", EdgeStars(), Vector3D(0.0, 0.0, 0.0), 0.0, 0.0, 1.0},
      CloudScene("NoStars", 0, false, Vector3D(0.0, 0.0, 0.0), 1.0),
      CloudScene("OneStar", 1, false, Vector3D(0.0, 0.0, 0.0), 1.0),
      CloudScene("TwoStars", 2, false, Vector3D(0.0, 0.0, 0.0), 1.0),
      {"StarsADenormalApart", DenormalApart(), Vector3D(0.0, 0.0, 0.0), 0.0, 0.0, 1.0},
  };
}

INSTANTIATE_TEST_SUITE_P(Scenes, GridPaint, testing::ValuesIn(Scenes()),
                         [](const testing::TestParamInfo<Scene>& info) { return info.param.name; });

// A map read from either encoding paints the same, and as the reference.
TEST(GridPaintMaps, BothEncodingsPaintAsTheReference) {
  std::vector<MapRecord> records;
  for (int i = 0; i < 400; ++i)
    records.push_back({static_cast<uint32_t>(i), (i * 7919 % 2000 - 1000) * 1000,
                       (i * 104729 % 2000 - 1000) * 1000, (i * 1299709 % 2000 - 1000) * 1000,
                       (i % 9 - 3) * 1000000, "G2V", i % 5 ? "" : "Named"});
  std::vector<uint16_t> pictures[2];
  for (const bool complemented : {false, true}) {
    SCOPED_TRACE(complemented);
    CSkyglassDoc document("unused.smp");
    const Bytes bytes = MapBytes(records, complemented);
    ASSERT_TRUE(document.m_catalog.LoadStarMap(bytes.data(), bytes.size()));
    document.m_bMapPresent = 1;
    FakeViewPlatform platform;
    platform.markTextPixels = true;
    CSkyglassView view(document, platform);
    view.m_bNames = 1;
    view.OnSize(0, kWidth, kHeight);
    view.OnDraw();
    ExpectPaintAsReference(view, document, platform, view.m_vPosition);
    pictures[complemented] = view.m_hStarBitmap->words;
  }
  EXPECT_EQ(pictures[0], pictures[1]);
}

}  // namespace
