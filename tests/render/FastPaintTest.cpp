// The paint's fast paths against the one-thread reference passes: records,
// pixels and drawn-star map must agree to the bit, on random catalogues sized
// around every split of the star pass, with discs overlapping across the
// ranges' borders, stars behind the observer and off the screen, and fields
// that are not numbers or not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "FakeViewPlatform.h"
#include "ReferencePasses.h"
#include "RenderTestSupport.h"
#include "geometry/ViewBasis.h"
#include "render/DrawnStarMap.h"
#include "render/LabelPass.h"
#include "render/StarRasterizer.h"
#include "view/SkyglassView.h"

namespace {

const Vector3D kObserver(1.5, -2.0, 3.0);
const ViewBasis kBasis = ComputeBasis(0.4, -0.2);
constexpr double kZoom = 1.5;
const ProjectionSetup kSetup{kObserver, kBasis.forward, kBasis.right* kZoom, kBasis.down* kZoom};
constexpr int32_t kSplit = kMinStarsPerPaintThread;

// Stars within 60 light years, half of them behind the observer, many on
// screen and bright enough for discs; one in fifty has a field that is not a
// finite number, and the working fields hold random leftovers.
std::vector<StarEntry> RandomCatalogue(int32_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> coordinate(-60.0, 60.0);
  std::uniform_real_distribution<double> absMagnitude(-4.0, 14.0);
  const double oddValues[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              1e300,
                              -1e-300,
                              0.0};
  std::vector<StarEntry> stars(static_cast<size_t>(count));
  std::memset(static_cast<void*>(stars.data()), 0, stars.size() * sizeof(StarEntry));
  for (StarEntry& star : stars) {
    star.vPos = Vector3D(coordinate(random), coordinate(random), coordinate(random));
    star.dAbsMagnitude = absMagnitude(random);
    star.dProjX = coordinate(random);
    star.bVisible = static_cast<int32_t>(random() & 1);
    if (random() % 50 == 0) {
      const double odd = oddValues[random() % std::size(oddValues)];
      double* fields[] = {&star.vPos.x, &star.vPos.y, &star.vPos.z, &star.dAbsMagnitude};
      *fields[random() % std::size(fields)] = odd;
    }
  }
  reference::UpdateMagnitudes(stars.data(), count, kObserver);
  return stars;
}

struct PaintRow {
  const char* name;
  int32_t count;
  int32_t drawCount;  // at most count
  int width;
  int height;
  unsigned workers;
  int magnitudeDrawing;
};

class FastPaint : public testing::TestWithParam<PaintRow> {};

TEST_P(FastPaint, MatchesTheReferencePasses) {
  const PaintRow& row = GetParam();
  const ScreenFrame frame{row.width, row.height, row.width >> 1, row.height >> 1};
  const size_t words = static_cast<size_t>(row.width) * static_cast<size_t>(row.height);
  std::vector<StarEntry> expected = RandomCatalogue(row.count, static_cast<uint32_t>(row.count));
  std::vector<StarEntry> stars = expected;
  StarLayers layers;

  reference::ProjectStars(expected.data(), row.count, kSetup.position, kSetup.forward, kSetup.scaledRight,
                          kSetup.scaledDown);
  std::vector<uint16_t> expectedBits(words, 0), bits(words, 0);
  std::vector<int32_t> expectedDrawn(words, DrawnStarMap::kNoStar), drawn(words, DrawnStarMap::kNoStar);
  reference::RenderStars(expected.data(), row.drawCount, frame, row.magnitudeDrawing, 1, expectedBits.data(),
                         expectedDrawn.data());

  ProjectAndRenderStars(stars.data(), row.count, kSetup, row.drawCount, frame, row.magnitudeDrawing, 1,
                        bits.data(), drawn.data(), {&layers, row.workers});
  EXPECT_EQ(std::memcmp(stars.data(), expected.data(), stars.size() * sizeof(StarEntry)), 0);
  EXPECT_EQ(bits, expectedBits);
  EXPECT_EQ(drawn, expectedDrawn);

  // The star pass alone, on the projected records, without a drawn-star map.
  std::vector<uint16_t> again(words, 0);
  RenderStars(stars.data(), row.drawCount, frame, row.magnitudeDrawing, 1, again.data(), nullptr,
              {&layers, row.workers});
  EXPECT_EQ(again, expectedBits);
}

INSTANTIATE_TEST_SUITE_P(
    Splits, FastPaint,
    testing::Values(PaintRow{"OneThreadOnly", 5000, 5000, 64, 37, 2, 1},
                    PaintRow{"JustUnderTheSplit", 2 * kSplit - 1, 2 * kSplit - 1, 64, 37, 2, 1},
                    PaintRow{"AtTheSplit", 2 * kSplit, 2 * kSplit, 64, 37, 2, 1},
                    PaintRow{"JustOverTheSplit", 2 * kSplit + 1, 2 * kSplit + 1, 2, 1, 2, 1},
                    PaintRow{"ThreeWorkersOddHeight", 3 * kSplit + 7, 3 * kSplit + 7, 640, 481, 3, 1},
                    PaintRow{"FiveWorkersNarrow", 5 * kSplit + 3, 5 * kSplit + 3, 2, 99, 5, 1},
                    PaintRow{"FewerStarsDrawnThanProjected", 3 * kSplit, kSplit + 11, 120, 91, 3, 1},
                    PaintRow{"ManyPixelsPerStar", 2 * kSplit + 3, 2 * kSplit + 3, 1000, 999, 2, 1},
                    PaintRow{"WhitePixelsOnly", 2 * kSplit + 5, 2 * kSplit + 5, 64, 37, 2, 0}),
    [](const testing::TestParamInfo<PaintRow>& info) { return info.param.name; });

// The view's recomputing paint, with and without labels, against the
// reference passes and the label pass on the reference records.
TEST(FastPaintView, PaintMatchesTheReferencePaint) {
  for (const int labels : {0, 1}) {
    SCOPED_TRACE(labels);
    std::vector<StarEntry> expected = RandomCatalogue(3 * kSplit + 1, 77);
    for (size_t i = 0; i < expected.size(); i += 97) std::strcpy(expected[i].szName, "Star");
    CSkyglassDoc document("unused.smp");
    FillCatalog(document.m_catalog, expected);
    document.m_bMapPresent = 1;
    FakeViewPlatform platform;
    platform.markTextPixels = true;
    CSkyglassView view(document, platform);
    view.m_vPosition = kObserver;
    ComputeBasis(0.4, -0.2, view.m_vForward, view.m_vRight, view.m_vDown);
    view.m_dZoom = kZoom;
    view.m_bNames = view.m_bDistances = labels;
    view.OnSize(0, 322, 201);
    view.OnDraw();

    reference::ProjectStars(expected.data(), static_cast<int64_t>(expected.size()), kSetup.position,
                            kSetup.forward, kSetup.scaledRight, kSetup.scaledDown);
    const ScreenFrame frame{322, 201, 161, 100};
    PixelBuffer stars(322, 201), texts(322, 201);
    DrawnStarMap drawn;
    drawn.Resize(322, 201);
    reference::RenderStars(expected.data(), static_cast<int>(expected.size()), frame, 1, 1, stars.Bits(),
                           drawn.Data());
    FakeViewPlatform textPlatform;
    textPlatform.markTextPixels = true;
    DrawStarLabels(expected.data(), static_cast<int>(expected.size()), frame, {labels, 0, labels, 0},
                   textPlatform, texts);
    MergeLabelBuffer(stars, texts);

    // The paint from the grid leaves every record's projected fields as they
    // were (nothing reads them after it), and the rest of the record alone.
    for (size_t i = 0; i < expected.size(); ++i) {
      const StarEntry& held = document.m_catalog.m_pStars[i];
      expected[i].dProjX = held.dProjX;
      expected[i].dProjY = held.dProjY;
      expected[i].bVisible = held.bVisible;
    }
    EXPECT_EQ(std::memcmp(document.m_catalog.m_pStars, expected.data(), expected.size() * sizeof(StarEntry)),
              0);
    EXPECT_EQ(view.m_hStarBitmap->words, stars.words);
    EXPECT_EQ(view.m_hLabelBitmap->words, texts.words);
    EXPECT_EQ(view.DrawnStars().index, drawn.index);
    EXPECT_EQ(platform.texts.size(), textPlatform.texts.size());
  }
}

}  // namespace
