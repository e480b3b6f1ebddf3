// Turning the view by dragging, and zooming by double-clicks.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "ViewFixture.h"
#include "geometry/ViewBasis.h"
#include "interaction/WheelNotches.h"

namespace {

class MouseLook : public ViewTest {
 protected:
  // One drag step of (dx, dy) pixels from the view's anchor at (400, 300).
  void DragBy(int dx, int dy) {
    view.OnLButtonDown(400, 300);
    view.OnMouseMove(400 + dx, 300 + dy);
    view.OnLButtonUp(400 + dx, 300 + dy);
  }
  void ExpectBasisMatchesAngles() {
    const ViewBasis expected = ComputeBasis(view.m_dYaw, view.m_dPitch);
    EXPECT_EQ(view.m_vForward.x, expected.forward.x);
    EXPECT_EQ(view.m_vForward.z, expected.forward.z);
    EXPECT_EQ(view.m_vRight.x, expected.right.x);
    EXPECT_EQ(view.m_vDown.y, expected.down.y);
  }
};

TEST_F(MouseLook, OneDragStepTurnsWrapsAndClamps) {
  struct Row {
    const char* name;
    double zoom, yaw, pitch;
    int dx, dy;
    double expectedYaw, expectedPitch;
  } rows[] = {
      {"100 px right at zoom 1", 1.0, 0.0, 0.0, 100, 0, 1.0, 0.0},
      {"100 px right at zoom 2", 2.0, 0.0, 0.0, 100, 0, 0.5, 0.0},
      {"1 px left wraps", 1.0, 0.0, 0.0, -1, 0, 6.273185307179601, 0.0},
      {"yaw 0 is not wrapped", 1.0, 0.0, 0.0, 0, 0, 0.0, 0.0},
      {"yaw at the period is not wrapped", 1.0, 6.2831853071796, 0.0, 0, 0, 6.2831853071796, 0.0},
      {"past the period wraps down", 1.0, 6.2831853071796, 0.0, 1, 0,
       (6.2831853071796 + 0.01) - 6.2831853071796, 0.0},
      {"one wrap per step only", 0.5, 0.0, 0.0, -700, 0, -7.7168146928204, 0.0},
      {"down lowers the pitch", 1.0, 0.0, 0.0, 0, 10, 0.0, 10.0 * -0.01},
      {"up past the top clamps", 1.0, 0.0, 1.5, 0, -100, 0.0, 1.5707963267949},
      {"down past the bottom clamps", 1.0, 0.0, -1.5, 0, 100, 0.0, -1.5707963267949},
      {"division before multiplication", 3.0, 0.0, 0.0, 1, 0, (1.0 / 3.0) * 0.01, 0.0},
  };
  for (const Row& row : rows) {
    view.m_dZoom = row.zoom;
    view.m_dYaw = row.yaw;
    view.m_dPitch = row.pitch;
    DragBy(row.dx, row.dy);
    EXPECT_EQ(view.m_dYaw, row.expectedYaw) << row.name;
    EXPECT_EQ(view.m_dPitch, row.expectedPitch) << row.name;
    ExpectBasisMatchesAngles();
  }
}

TEST_F(MouseLook, PitchLeavesTheLimitAtOnceWhenDraggedBack) {
  view.OnLButtonDown(0, 0);
  view.OnMouseMove(0, -500);  // far past the top
  EXPECT_EQ(view.m_dPitch, 1.5707963267949);
  view.OnMouseMove(0, -499);  // one pixel back down
  EXPECT_EQ(view.m_dPitch, 1.5707963267949 + 1.0 * -0.01);
}

TEST_F(MouseLook, EachStepMovesTheAnchorAndRedraws) {
  view.OnLButtonDown(10, 10);
  EXPECT_TRUE(platform.capture);
  view.OnMouseMove(20, 10);
  view.OnMouseMove(30, 10);
  EXPECT_EQ(view.m_dYaw, (0.0 + 10.0 * 0.01) + 10.0 * 0.01);
  EXPECT_EQ(view.m_ptDragAnchor.x, 30);
  EXPECT_EQ(platform.invalidations, 2);
  EXPECT_EQ(view.m_bProjectionDirty, 1);
  view.OnLButtonUp(30, 10);
  EXPECT_FALSE(platform.capture);
}

TEST_F(MouseLook, MovesWithoutTheCaptureChangeNothing) {
  view.OnLButtonDown(0, 0);
  platform.capture = false;  // another window took the capture
  view.OnMouseMove(50, 50);
  EXPECT_EQ(view.m_dYaw, 0.0);
  EXPECT_EQ(view.m_dPitch, 0.0);
  EXPECT_EQ(platform.invalidations, 0);
  view.OnLButtonUp(50, 50);  // releases nothing
  EXPECT_FALSE(platform.capture);
}

TEST_F(MouseLook, ExtremeCoordinatesDoNotOverflow) {
  view.OnLButtonDown(-2147483647 - 1, 0);
  view.OnMouseMove(2147483647, 0);  // 4294967295 pixels to the right
  EXPECT_TRUE(std::isfinite(view.m_dYaw));
  EXPECT_EQ(view.m_dYaw, 4294967295.0 * 0.01 - 6.2831853071796);
}

TEST_F(MouseLook, DoubleClicksScaleTheZoom) {
  struct Row {
    const char* name;
    bool left, shift, control;
    double zoom;
  } rows[] = {
      {"left plain", true, false, false, 1.4},
      {"left ctrl", true, false, true, 2.0},
      {"left shift", true, true, false, 1.1},
      {"left shift wins over ctrl", true, true, true, 1.1},
      {"right plain", false, false, false, 0.7142857142857143},
      {"right ctrl", false, false, true, 0.5},
      {"right shift", false, true, false, 0.9090909090909091},
      {"right shift wins over ctrl", false, true, true, 0.9090909090909091},
  };
  for (const Row& row : rows) {
    view.m_dZoom = 1.0;
    platform.shiftDown = row.shift;
    platform.controlDown = row.control;
    row.left ? view.OnLButtonDblClk(5, 5) : view.OnRButtonDblClk(5, 5);
    EXPECT_EQ(view.m_dZoom, row.zoom) << row.name;
    // The opposite click with the same keys comes back to exactly 1.0.
    row.left ? view.OnRButtonDblClk(5, 5) : view.OnLButtonDblClk(5, 5);
    EXPECT_EQ(view.m_dZoom, 1.0) << row.name;
  }
}

TEST_F(MouseLook, TwoPlainLeftDoubleClicksGiveTheRoundedProduct) {
  ForgetMagnitudes();
  view.m_bMagnitudesValid = 0;
  view.OnLButtonDblClk(0, 0);
  view.OnLButtonDblClk(0, 0);
  EXPECT_EQ(view.m_dZoom, 1.9599999999999997);
  EXPECT_EQ(platform.invalidations, 2);
  EXPECT_FALSE(MagnitudesRecomputed());  // zooming does not move the observer
  EXPECT_EQ(view.m_bMagnitudesValid, 0);
  EXPECT_FALSE(platform.capture);  // a double-click starts no drag
}

TEST_F(MouseLook, ZoomStaysPositiveAndFinite) {
  for (int i = 0; i < 5000; ++i) view.OnLButtonDblClk(0, 0);
  EXPECT_TRUE(std::isfinite(view.m_dZoom));
  EXPECT_GT(view.m_dZoom * 1.4, DBL_MAX);  // the last click that would overflow was refused
  for (int i = 0; i < 10000; ++i) view.OnRButtonDblClk(0, 0);
  EXPECT_GT(view.m_dZoom, 0.0);
  // A drag at a vanishing zoom would turn by an infinite angle: it keeps the angles.
  DragBy(1, 1);
  EXPECT_EQ(view.m_dYaw, 0.0);
  EXPECT_EQ(view.m_dPitch, 0.0);
}

// Wheel turns against the double-clicks they stand for: whole notches of 120
// units, parts carried over, Shift and Ctrl as for the clicks.
TEST_F(MouseLook, WheelNotchesZoomLikeDoubleClicks) {
  struct Row {
    const char* name;
    std::vector<int> deltas;
    bool shift, control;
    int leftClicks, rightClicks;  // the double-clicks giving the same zoom
  } rows[] = {
      {"one notch away zooms in", {120}, false, false, 1, 0},
      {"one notch towards zooms out", {-120}, false, false, 0, 1},
      {"half a notch does nothing", {60}, false, false, 0, 0},
      {"two half notches make one", {60, 60}, false, false, 1, 0},
      {"fractions add up", {40, 40, 30, 10}, false, false, 1, 0},
      {"the rest carries", {200, 40}, false, false, 2, 0},
      {"back turns work off the carried part", {100, -100, 100}, false, false, 0, 0},
      {"three notches in one event", {360}, false, false, 3, 0},
      {"shift is fine", {120}, true, false, 1, 0},
      {"ctrl is coarse", {-240}, false, true, 0, 2},
      {"shift wins over ctrl", {120}, true, true, 1, 0},
  };
  for (const Row& row : rows) {
    platform.shiftDown = row.shift;
    platform.controlDown = row.control;
    view.m_dZoom = 1.0;
    for (int i = 0; i < row.leftClicks; ++i) view.OnLButtonDblClk(5, 5);
    for (int i = 0; i < row.rightClicks; ++i) view.OnRButtonDblClk(5, 5);
    const double clicked = view.m_dZoom;
    CSkyglassView wheeled(doc, platform);  // a fresh view carries no part of a notch
    platform.invalidations = 0;
    for (int delta : row.deltas) wheeled.OnMouseWheel(5, 5, delta);
    EXPECT_EQ(wheeled.m_dZoom, clicked) << row.name;
    EXPECT_EQ(platform.invalidations, row.leftClicks + row.rightClicks) << row.name;
  }
}

TEST_F(MouseLook, WheelDoesNothingDuringADragAndDropsTheCarriedPart) {
  view.OnMouseWheel(5, 5, 60);
  view.OnLButtonDown(5, 5);
  view.OnMouseWheel(5, 5, 120);
  EXPECT_EQ(view.m_dZoom, 1.0);
  view.OnLButtonUp(5, 5);
  view.OnMouseWheel(5, 5, 60);  // the half notch before the drag is gone
  EXPECT_EQ(view.m_dZoom, 1.0);
  EXPECT_EQ(platform.invalidations, 0);
  view.OnMouseWheel(5, 5, 60);
  EXPECT_EQ(view.m_dZoom, 1.4);
}

// Deltas at the ends of int add up without overflow; the carried rest never
// grows beyond a notch.
TEST(WheelNotchesTest, HugeDeltasCountExactly) {
  WheelNotches wheel;
  EXPECT_EQ(wheel.Add(2147483647), 17895697);  // rest 7
  EXPECT_EQ(wheel.Add(2147483647), 17895697);  // 7 + 2147483647 passes the int range: rest 14
  EXPECT_EQ(wheel.Add(106), 1);
  EXPECT_EQ(wheel.Add(-2147483647 - 1), -17895697);  // rest -8
  EXPECT_EQ(wheel.Add(-112), -1);
  EXPECT_EQ(wheel.Add(119), 0);
  wheel.Reset();
  EXPECT_EQ(wheel.Add(1), 0);
}

TEST_F(MouseLook, HugeWheelTurnsStopAtTheLimitOfTheZoom) {
  for (int i = 0; i < 3; ++i) view.OnMouseWheel(0, 0, 2147483647);
  EXPECT_TRUE(std::isfinite(view.m_dZoom));
  EXPECT_GT(view.m_dZoom * 1.4, DBL_MAX);
  for (int i = 0; i < 3; ++i) view.OnMouseWheel(0, 0, -2147483647 - 1);
  EXPECT_EQ(view.m_dZoom, DBL_TRUE_MIN);  // where a step out rounds back to the same factor
}

}  // namespace
