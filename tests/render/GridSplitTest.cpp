// The grid pass's every way of sharing out its work against the one-thread
// reference star pass: drawn straight or sorted into bands of one row, of a
// few rows and of whole frames; in rounds of one star to all of them; on one
// to three threads; over frame after frame with labels merged between them,
// for observers inside a block, on a block's face and outside the cloud; grey
// and in the colours of the stars' classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "ReferencePasses.h"
#include "RenderTestSupport.h"
#include "geometry/ViewBasis.h"
#include "render/DrawnStarMap.h"
#include "render/GridPaint.h"
#include "render/StarColours.h"
#include "render/StarFrame.h"
#include "render/StarGrid.h"

namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 97;
constexpr ScreenFrame kFrame{kWidth, kHeight, kWidth / 2, kHeight / 2};

// count stars within 40 light years, bright enough for many discs, some of
// them large, with one in 40 at a position that is not finite or is huge,
// of three colours and grey; most in whole millionths, as from a map file.
std::vector<StarEntry> Stars(int32_t count) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coordinate(-40.0, 40.0);
  std::uniform_real_distribution<double> absMagnitude(-8.0, 9.0);
  const double odd[] = {std::nan(""), INFINITY, -INFINITY, 1e300, 1e16};
  const char* tags[] = {"B2V", "K0III", "", "M3"};
  std::vector<StarEntry> stars(static_cast<size_t>(count), StarEntry{});
  for (StarEntry& star : stars) {
    star.vPos = Vector3D(coordinate(random), coordinate(random), coordinate(random));
    if (random() % 4 != 0) star.vPos = InMillionths(star.vPos);
    std::strcpy(star.szTag, tags[random() % std::size(tags)]);
    star.dAbsMagnitude = absMagnitude(random);
    if (random() % 40 == 0) star.vPos.y = odd[random() % std::size(odd)];
  }
  return stars;
}

struct Split {
  const char* name;
  GridPaintSplit split;
};

const Split kSplits[] = {
    {"Straight", {1, 1u << 30, 1u << 20, 1u << 16}},
    {"OneRowBandsOneStarRounds", {1, 0, 1, 1}},
    {"FewRowBandsSmallRounds", {2, 0, 37, 3 * kWidth + 5}},
    {"OneBandThreeThreads", {3, 0, 1u << 20, kWidth* kHeight}},
    {"ManyRowsTwoThreads", {2, 0, 500, 16 * kWidth}},
};

struct Observer {
  const char* name;
  Vector3D position;
  double yaw;
  double pitch;
  double zoom;
};

// Observers at the centre of the grid's largest block, on the low x face of
// that block's box, on a star, and outside the cloud looking in.
std::vector<Observer> Observers(const std::vector<StarEntry>& stars, const StarGrid& grid) {
  const GridBlock* largest = &grid.Blocks().front();
  for (const GridBlock& block : grid.Blocks())
    if (block.bounded && block.end - block.begin > largest->end - largest->begin) largest = &block;
  const Vector3D centre = (largest->low + largest->high) * 0.5;
  return {
      {"InsideABlock", centre, 0.3, 0.1, 1.0},
      {"OnABlocksFace", Vector3D(largest->low.x, centre.y, centre.z), 1.5707963267948966, 0.0, 1.0},
      {"OnAStar", stars[3].vPos, 2.0, -0.4, 0.5},
      {"OutsideAtZoom20", Vector3D(0.0, 0.0, -200.0), 0.0, 0.0, 20.0},
  };
}

// Projects and draws the first count records in catalogue order.
void ReferencePaint(std::vector<StarEntry> stars, int32_t count, const ProjectionSetup& setup,
                    std::vector<uint16_t>& bits, std::vector<int32_t>& drawn) {
  reference::ProjectStars(stars.data(), static_cast<int64_t>(stars.size()), setup.position, setup.forward,
                          setup.scaledRight, setup.scaledDown);
  bits.assign(static_cast<size_t>(kWidth) * kHeight, 0);
  drawn.assign(bits.size(), DrawnStarMap::kNoStar);
  reference::RenderStars(stars.data(), count, kFrame, 1, 1, bits.data(), drawn.data());
}

TEST(GridSplits, EveryWayOfSharingOutPaintsAsTheReference) {
  std::vector<StarEntry> stars = Stars(3000);
  StarCatalog catalog;
  FillCatalog(catalog, stars);
  StarGrid grid;
  ASSERT_TRUE(grid.Build(catalog.m_pStars, catalog.m_nStars));
  StarColours colours;
  colours.Prepare(catalog);
  for (const Observer& observer : Observers(stars, grid)) {
    reference::UpdateMagnitudes(stars.data(), static_cast<int64_t>(stars.size()), observer.position);
    std::copy(stars.begin(), stars.end(), catalog.m_pStars);
    grid.RefreshCodes(catalog.m_pStars, nullptr);
    for (const Split& split : kSplits) {
      SCOPED_TRACE(testing::Message() << observer.name << ", " << split.name);
      GridPaint paint;
      PixelBuffer pixels(kWidth, kHeight);
      std::fill(pixels.words.begin(), pixels.words.end(), 0x5555);  // cleared by the first frame
      StarFrame target;
      target.Attach(pixels);
      std::fill(target.Drawn(), target.Drawn() + target.Words(), 7);
      PixelBuffer labels(kWidth, kHeight);
      for (int frame = 0; frame < 3; ++frame) {
        const ViewBasis basis = ComputeBasis(observer.yaw + 0.05 * frame, observer.pitch);
        const ProjectionSetup setup{observer.position, basis.forward, basis.right * observer.zoom,
                                    basis.down * observer.zoom};
        const int32_t count = frame == 1 ? 2000 : catalog.m_nStars;  // fewer stars to draw, then all again
        const StarColours* tint = frame == 2 ? &colours : nullptr;
        target.Clear();
        paint.Paint(grid, setup, count, kFrame, target, true, tint, split.split);
        std::vector<uint16_t> expectedBits;
        std::vector<int32_t> expectedDrawn;
        ReferencePaint(stars, count, setup, expectedBits, expectedDrawn);
        if (tint) tint->Tint(expectedBits.data(), expectedDrawn.data(), expectedBits.size());
        EXPECT_EQ(target.DrawnStars().index, expectedDrawn) << "frame " << frame;
        // Texts merged over the stars must be gone from the next frame.
        for (size_t word = 0; word < labels.words.size(); word += 13 + frame) labels.words[word] = 0x0421;
        for (size_t word = 0; word < pixels.words.size(); ++word) expectedBits[word] |= labels.words[word];
        target.MergeLabels(labels);
        EXPECT_EQ(pixels.words, expectedBits) << "frame " << frame;
        std::fill(labels.words.begin(), labels.words.end(), 0);
      }
    }
  }
}

}  // namespace
