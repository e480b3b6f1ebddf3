// Star pass: position tests, magnitude classes, disc shapes, vertical skips,
// left-edge clipping and overwriting, checked word by word.
#include "render/StarRasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "RenderTestSupport.h"

namespace {

constexpr ScreenFrame kFrame{640, 480, 320, 240};
constexpr uint16_t W = kPixelWhite;

// A star placed so that it maps to column x, memory row r of kFrame.
StarEntry StarOnPixel(int x, int r, double magnitude) {
  return ProjectedStar(ProjectedFor(x, kFrame.centerX, kPixelsPerUnit),
                       ProjectedFor(r, kFrame.centerY, -kPixelsPerUnit), magnitude);
}

std::vector<LitPixel> Render(const std::vector<StarEntry>& stars, const ScreenFrame& frame = kFrame,
                             int magnitudeDrawing = 1, int magnitudesValid = 1) {
  PixelBuffer buffer(frame.width, frame.height);
  RenderStars(stars.data(), static_cast<int>(stars.size()), frame, magnitudeDrawing, magnitudesValid,
              buffer.Bits());
  return LitPixels(buffer);
}

// The disc of size I whose right-hand column is x, built row by row from its
// definition; columns left of the buffer are dropped.
std::vector<LitPixel> ReferenceDisc(int size, int x, int r) {
  const int k = size >> 1;
  std::vector<LitPixel> pixels;
  auto row = [&](int memoryRow, int first, int last) {
    for (int c = std::max(first, 0); c <= last; ++c) pixels.push_back({c, memoryRow, W});
  };
  if (size % 2 == 1) {
    for (int d = -k; d <= k; ++d) row(r + d, x - k - (k - std::abs(d)), x - k + (k - std::abs(d)));
  } else {
    for (int q = 0; q < k; ++q) row(r - k + q, x - k - q, x - k + q + 1);
    for (int t = 0; t < k; ++t) row(r + t, x - 2 * k + 1 + t, x - t);
  }
  return Sorted(pixels);
}

struct RasterCase {
  std::string name;
  std::vector<StarEntry> stars;
  std::vector<LitPixel> expected;
};
void PrintTo(const RasterCase& row, std::ostream* os) { *os << row.name; }

class RasterTable : public testing::TestWithParam<RasterCase> {};

TEST_P(RasterTable, WritesExactlyTheseWords) {
  EXPECT_EQ(Render(GetParam().stars), Sorted(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Magnitudes, RasterTable,
    testing::Values(
        RasterCase{"ThreeIsOneWhitePixel", {StarOnPixel(100, 50, 3.0)}, {{100, 50, W}}},
        RasterCase{"FourPointNineNineIsWhite", {StarOnPixel(100, 50, 4.99)}, {{100, 50, W}}},
        RasterCase{"FiveIsGrey", {StarOnPixel(100, 50, 5.0)}, {{100, 50, 0x3DEF}}},
        RasterCase{"SixPointNineNineIsDarkGrey", {StarOnPixel(100, 50, 6.99)}, {{100, 50, 0x1CE7}}},
        RasterCase{"SevenIsNothing", {StarOnPixel(100, 50, 7.0)}, {}},
        RasterCase{"NaNIsNothing", {StarOnPixel(100, 50, std::nan(""))}, {}},
        RasterCase{
            "MinusInfinityIsSkipped", {StarOnPixel(100, 50, -std::numeric_limits<double>::infinity())}, {}},
        RasterCase{"SizeBeyondInt32IsSkipped", {StarOnPixel(100, 50, -2147483643.0)}, {}},
        RasterCase{"HugeNegativeIsSkipped", {StarOnPixel(100, 50, -1e300)}, {}},
        RasterCase{"TwoPointFiveIsTwoByTwo",
                   {StarOnPixel(100, 50, 2.5)},
                   {{99, 50, W}, {100, 50, W}, {99, 49, W}, {100, 49, W}}},
        RasterCase{"TwoIsThreeWideCross",
                   {StarOnPixel(100, 50, 2.0)},
                   {{99, 51, W}, {98, 50, W}, {99, 50, W}, {100, 50, W}, {99, 49, W}}},
        RasterCase{"OnePointFiveIsCrossLeftOfStar",
                   {StarOnPixel(100, 50, 1.5)},
                   {{99, 49, W}, {98, 50, W}, {99, 50, W}, {100, 50, W}, {99, 51, W}}},
        RasterCase{"SizeFour",
                   {StarOnPixel(100, 50, 0.5)},
                   {{98, 51, W},
                    {99, 51, W},  // r + 1: x-2..x-1
                    {97, 50, W},
                    {98, 50, W},
                    {99, 50, W},
                    {100, 50, W},  // r: x-3..x
                    {97, 49, W},
                    {98, 49, W},
                    {99, 49, W},
                    {100, 49, W},  // r - 1: x-3..x
                    {98, 48, W},
                    {99, 48, W}}},  // r - 2: x-2..x-1
        RasterCase{"SizeFive",
                   {StarOnPixel(100, 50, -0.5)},
                   {{98, 52, W},  // r + 2
                    {97, 51, W},
                    {98, 51, W},
                    {99, 51, W},  // r + 1
                    {96, 50, W},
                    {97, 50, W},
                    {98, 50, W},
                    {99, 50, W},
                    {100, 50, W},  // r
                    {97, 49, W},
                    {98, 49, W},
                    {99, 49, W},     // r - 1
                    {98, 48, W}}}),  // r - 2
    [](const testing::TestParamInfo<RasterCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    LargeDiscs, RasterTable,
    testing::Values(RasterCase{"SizeTwelve", {StarOnPixel(300, 200, -7.5)}, ReferenceDisc(12, 300, 200)},
                    RasterCase{"SizeThirteen", {StarOnPixel(300, 200, -8.5)}, ReferenceDisc(13, 300, 200)},
                    RasterCase{"SizeFortyOne", {StarOnPixel(300, 200, -36.0)}, ReferenceDisc(41, 300, 200)}),
    [](const testing::TestParamInfo<RasterCase>& info) { return info.param.name; });

// Discs never touch row 0 and never leave the top: r - k < 1 skips, and so
// does r + k > H - 1 for odd sizes, r + k > H for even ones.
INSTANTIATE_TEST_SUITE_P(
    VerticalSkips, RasterTable,
    testing::Values(
        RasterCase{"SizeFourAtRowTwoSkipped", {StarOnPixel(100, 2, 0.5)}, {}},
        RasterCase{"SizeFourAtRowThreeDrawn", {StarOnPixel(100, 3, 0.5)}, ReferenceDisc(4, 100, 3)},
        RasterCase{"SinglePixelAtRowZeroDrawn", {StarOnPixel(100, 0, 4.0)}, {{100, 0, W}}},
        RasterCase{"OddSizeAtRow478Drawn", {StarOnPixel(100, 478, 2.0)}, ReferenceDisc(3, 100, 478)},
        RasterCase{"OddSizeAtRow479Skipped", {StarOnPixel(100, 479, 2.0)}, {}},
        RasterCase{"EvenSizeAtRow479Drawn", {StarOnPixel(100, 479, 2.5)}, ReferenceDisc(2, 100, 479)},
        RasterCase{"EvenSizeAtRowOneSkipped", {StarOnPixel(100, 1, 2.5)}, {}}),
    [](const testing::TestParamInfo<RasterCase>& info) { return info.param.name; });

// Pixels left of column 0 are clipped, never wrapped into the row below.
INSTANTIATE_TEST_SUITE_P(
    LeftEdge, RasterTable,
    testing::Values(RasterCase{"SizeFourAtColumnOneClipped",
                               {StarOnPixel(1, 50, 0.5)},
                               {{0, 51, W}, {0, 50, W}, {1, 50, W}, {0, 49, W}, {1, 49, W}, {0, 48, W}}},
                    RasterCase{"SizeThreeAtColumnZeroClipped", {StarOnPixel(0, 50, 2.0)}, {{0, 50, W}}}),
    [](const testing::TestParamInfo<RasterCase>& info) { return info.param.name; });

// Pixels are stored, not combined: the later star wins.
INSTANTIATE_TEST_SUITE_P(
    Overlap, RasterTable,
    testing::Values(RasterCase{"FaintAfterDiscLeavesGrey",
                               {StarOnPixel(100, 50, 2.0), StarOnPixel(99, 50, 5.5)},
                               {{99, 51, W}, {98, 50, W}, {99, 50, 0x3DEF}, {100, 50, W}, {99, 49, W}}},
                    RasterCase{"DiscAfterFaintCoversIt",
                               {StarOnPixel(99, 50, 5.5), StarOnPixel(100, 50, 2.0)},
                               ReferenceDisc(3, 100, 50)}),
    [](const testing::TestParamInfo<RasterCase>& info) { return info.param.name; });

TEST(ReferenceDisc, HasTheDiamondsPixelCount) {
  for (int k = 1; k <= 20; ++k) {
    EXPECT_EQ(ReferenceDisc(2 * k + 1, 100, 100).size(), static_cast<size_t>(2 * k * (k + 1) + 1)) << k;
    EXPECT_EQ(ReferenceDisc(2 * k, 100, 100).size(), static_cast<size_t>(2 * k * (k + 1))) << k;
  }
}

// Position tests: truncation towards zero, the near limit, visibility and
// coordinates outside the buffer or the 32-bit range.
TEST(RenderStarsPosition, DrawsOnlyStarsThatLandInTheBuffer) {
  struct Row {
    const char* name;
    double projX;
    double projY;
    double distance;
    int visible;
    std::vector<LitPixel> expected;
  };
  // Preconditions of the truncation rows: these sums are exactly -1.0.
  ASSERT_EQ(-0.642 * 500.0 + 320, -1.0);
  ASSERT_EQ(0.482 * -500.0 + 240, -1.0);
  const double nan = std::nan("");
  const std::vector<Row> rows = {
      {"StraightAheadIsCentre", 0.0, 0.0, 10.0, 1, {{320, 240, W}}},
      {"ColumnMinusPointSevenTruncatesToZero", -0.6414, 0.0, 10.0, 1, {{0, 240, W}}},
      {"ColumnMinusOneSkipped", -0.642, 0.0, 10.0, 1, {}},
      {"RowMinusPointSevenTruncatesToZero", 0.0, 0.4814, 10.0, 1, {{320, 0, W}}},
      {"RowMinusOneSkipped", 0.0, 0.482, 10.0, 1, {}},
      {"LastColumnDrawn", ProjectedFor(639, 320, 500.0), 0.0, 10.0, 1, {{639, 240, W}}},
      {"ColumnWidthSkipped", ProjectedFor(640, 320, 500.0), 0.0, 10.0, 1, {}},
      {"TopRowDrawn", 0.0, ProjectedFor(479, 240, -500.0), 10.0, 1, {{320, 479, W}}},
      {"RowHeightSkipped", 0.0, ProjectedFor(480, 240, -500.0), 10.0, 1, {}},
      {"DistancePointZeroOneDrawn", 0.0, 0.0, 0.01, 1, {{320, 240, W}}},
      {"DistancePointZeroZeroNineSkipped", 0.0, 0.0, 0.009, 1, {}},
      {"InvisibleSkipped", 0.0, 0.0, 10.0, 0, {}},
      {"ColumnBeyondInt32Skipped", 1e10, 0.0, 10.0, 1, {}},
      {"ColumnBelowInt32Skipped", -1e10, 0.0, 10.0, 1, {}},
      {"RowBeyondInt32Skipped", 0.0, -1e10, 10.0, 1, {}},
      {"NaNColumnSkipped", nan, 0.0, 10.0, 1, {}},
      {"NaNRowSkipped", 0.0, nan, 10.0, 1, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    StarEntry star = ProjectedStar(row.projX, row.projY, 4.0);
    star.dDistance = row.distance;
    star.bVisible = row.visible;
    EXPECT_EQ(Render({star}), row.expected);
  }
}

// With magnitude drawing off or stale magnitudes every star is one white pixel.
TEST(RenderStarsFlags, EitherFlagOffDrawsWhitePixels) {
  const std::vector<StarEntry> stars = {StarOnPixel(100, 50, 12.0), StarOnPixel(200, 60, -1.0),
                                        StarOnPixel(300, 70, std::nan(""))};
  const std::vector<LitPixel> white = {{100, 50, W}, {200, 60, W}, {300, 70, W}};
  EXPECT_EQ(Sorted(Render(stars, kFrame, 0, 1)), Sorted(white));
  EXPECT_EQ(Sorted(Render(stars, kFrame, 1, 0)), Sorted(white));
  EXPECT_EQ(Sorted(Render(stars, kFrame, 0, 0)), Sorted(white));
}

// Buffers narrower than a disc: every write stays inside (the buffer is
// exactly width x height words, so the sanitizer build catches a stray one).
TEST(RenderStarsNarrow, DiscsStayInsideNarrowBuffers) {
  struct Row {
    const char* name;
    ScreenFrame frame;
    std::vector<LitPixel> expected;
  };
  const std::vector<Row> rows = {
      // Size 15 (k = 7) at column 1, row 100: only the widest rows reach columns 0..1.
      {"WidthTwo", {2, 480, 1, 100}, {{0, 99, W}, {0, 100, W}, {1, 100, W}, {0, 101, W}}},
      // The same disc near the bottom (r - k = 1): its lowest row would start
      // before the first word of the buffer if it were not clipped.
      {"WidthTwoNearTheBottom", {2, 480, 1, 8}, {{0, 7, W}, {0, 8, W}, {1, 8, W}, {0, 9, W}}},
      {"WidthZero", {0, 480, 1, 100}, {}},
      {"HeightZero", {2, 0, 1, 100}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // Projected (0, 0) lands on the frame's centre.
    EXPECT_EQ(Sorted(Render({ProjectedStar(0.0, 0.0, -10.0)}, row.frame)), Sorted(row.expected));
  }
}

}  // namespace

// The drawn-star map names, for every lit pixel, the star whose write it holds
// (the later one where a faint star lands inside a disc), and nothing elsewhere.
TEST(RenderStarsDrawnMap, EveryLitPixelNamesItsStar) {
  const std::vector<StarEntry> stars = {StarOnPixel(100, 50, 1.5), StarOnPixel(99, 50, 5.5),
                                        StarOnPixel(300, 200, 4.0), StarOnPixel(400, 100, 9.0)};
  PixelBuffer buffer(kFrame.width, kFrame.height);
  std::vector<int32_t> drawn(buffer.words.size(), -1);
  RenderStars(stars.data(), static_cast<int>(stars.size()), kFrame, 1, 1, buffer.Bits(), drawn.data());
  std::vector<LitPixel> named;  // (column, row, star index) wherever the map names a star
  for (size_t word = 0; word < drawn.size(); ++word)
    if (drawn[word] >= 0)
      named.push_back({static_cast<int>(word % kFrame.width), static_cast<int>(word / kFrame.width),
                       static_cast<uint16_t>(drawn[word])});
  EXPECT_EQ(Sorted(named),
            Sorted({{99, 49, 0}, {98, 50, 0}, {99, 50, 1}, {100, 50, 0}, {99, 51, 0}, {300, 200, 2}}));
  EXPECT_EQ(LitPixels(buffer).size(), named.size());
}
