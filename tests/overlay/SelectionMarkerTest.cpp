// Where the selection marker goes: around the star where it projects into
// the view, else at the view's edge pointing the way to turn, also for a
// star behind; nowhere while the observer stands at the star.
#include <gtest/gtest.h>

#include <cmath>

#include "OverlayTestSupport.h"
#include "overlay/SelectionMarker.h"

namespace {

using Kind = MarkerPlacement::Kind;

TEST(SelectionMarker, PlacementFollowsTheStar) {
  const ScreenFrame frame = FrameOfSize(320, 240);
  const ProjectionSetup ahead = LookingAt({}, {0, 0, 1});  // along +z, +x to the right, +y up
  struct Row {
    const char* name;
    Vector3D star;
    Kind kind;
    int x, r;                   // the arrow's tip, give or take a rounding; around a star: its pixel
    double towardsX, towardsR;  // AtEdge only
  } rows[] = {
      {"in view", {0.1, 0.05, 10}, Kind::AroundStar, 0, 0, 0, 0},
      {"in view, too faint to draw or not", {-1, -0.5, 20}, Kind::AroundStar, 0, 0, 0, 0},
      {"off to the right", {10, 0, 10}, Kind::AtEdge, 312, 120, 1, 0},
      {"off above", {0, 50, 10}, Kind::AtEdge, 160, 232, 0, 1},
      {"behind, to the left", {-3, 0, -10}, Kind::AtEdge, 8, 120, -1, 0},
      {"straight behind", {0, 0, -10}, Kind::AtEdge, 160, 8, 0, -1},
      {"at the observer", {0.001, 0, 0.001}, Kind::None, 0, 0, 0, 0},
  };
  for (const Row& row : rows) {
    const MarkerPlacement placed = PlaceSelectionMarker(row.star, ahead, frame);
    ASSERT_EQ(placed.kind, row.kind) << row.name;
    if (row.kind == Kind::None) continue;
    if (row.kind == Kind::AroundStar) {
      int x = 0, r = 0;
      ASSERT_TRUE(StarPixel(row.star, ahead, frame, x, r));
      EXPECT_EQ(placed.x, x) << row.name;
      EXPECT_EQ(placed.r, r) << row.name;
      continue;
    }
    EXPECT_LE(std::abs(placed.x - row.x), 1) << row.name << " " << placed.x;
    EXPECT_LE(std::abs(placed.r - row.r), 1) << row.name << " " << placed.r;
    EXPECT_NEAR(placed.towardsX, row.towardsX, 1e-12) << row.name;
    EXPECT_NEAR(placed.towardsR, row.towardsR, 1e-12) << row.name;
  }
}

// A star off a corner: the arrow stands on the edge the direction reaches first.
TEST(SelectionMarker, TheArrowStaysInsideTheViewAndPointsOut) {
  const ScreenFrame frame = FrameOfSize(320, 240);
  const MarkerPlacement placed = PlaceSelectionMarker({100, 100, 10}, LookingAt({}, {0, 0, 1}), frame);
  ASSERT_EQ(placed.kind, Kind::AtEdge);
  EXPECT_EQ(placed.r, frame.height - kEdgeArrowInset);
  EXPECT_GT(placed.x, frame.centerX);
  EXPECT_LT(placed.x, frame.width - kEdgeArrowInset);
  CanvasFixture target(frame);
  DrawSelectionMarker(placed, target.canvas);
  ASSERT_FALSE(target.Lit().empty());
  for (uint32_t word : target.Lit()) {
    // The head and shaft lie behind the tip, towards the centre.
    const int x = static_cast<int>(word) % frame.width;
    const int r = static_cast<int>(word) / frame.width;
    EXPECT_LE((x - placed.x) * placed.towardsX + (r - placed.r) * placed.towardsR, 1.0);
    EXPECT_EQ(target.stars.words[word], kMarkerColour);
  }
}

TEST(SelectionMarker, BracketsSurroundTheStarAndLeaveItsPixelAlone) {
  const ScreenFrame frame = FrameOfSize(320, 240);
  const MarkerPlacement placed = PlaceSelectionMarker({0, 0, 10}, LookingAt({}, {0, 0, 1}), frame);
  ASSERT_EQ(placed.kind, Kind::AroundStar);
  CanvasFixture target(frame);
  DrawSelectionMarker(placed, target.canvas);
  EXPECT_EQ(target.Lit().size(), 4u * 7u);  // four corners of two three-pixel arms
  for (uint32_t word : target.Lit()) {
    const int dx = static_cast<int>(word) % frame.width - placed.x;
    const int dr = static_cast<int>(word) / frame.width - placed.r;
    EXPECT_GE(std::max(std::abs(dx), std::abs(dr)), kMarkerRadius - 3) << dx << "," << dr;
    EXPECT_LE(std::max(std::abs(dx), std::abs(dr)), kMarkerRadius) << dx << "," << dr;
  }
}

}  // namespace
