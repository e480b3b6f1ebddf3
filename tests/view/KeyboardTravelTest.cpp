// Flying with Up and Down, the time tolerance that holds back the magnitude
// recomputation, and the Options dialog that sets it.
#include <gtest/gtest.h>

#include "ViewFixture.h"
#include "geometry/ViewBasis.h"
#include "interaction/CommandIds.h"
#include "interaction/OptionsDlg.h"

namespace {

constexpr int kVkShift = 0x10;
constexpr int kVkA = 0x41;

class KeyboardTravel : public ViewTest {
 protected:
  void PressAt(int key, int timeMs) {
    platform.clockMs = timeMs;
    ForgetMagnitudes();
    view.OnKeyDown(key);
  }
};

TEST_F(KeyboardTravel, PlainUpFromTheStartMovesTwoAlongZ) {
  platform.clockMs = 5000;
  view.OnKeyDown(kVkUp);
  EXPECT_EQ(view.m_vPosition.x, 0.0);
  EXPECT_EQ(view.m_vPosition.y, 0.0);
  EXPECT_EQ(view.m_vPosition.z, 2.0);
}

TEST_F(KeyboardTravel, StepLengthFollowsTheModifiers) {
  const double yaw = 0.7;
  const double pitch = -0.3;
  const Vector3D f = ComputeBasis(yaw, pitch).forward;
  const Vector3D start(1.0, 2.0, 3.0);
  struct Row {
    const char* name;
    int key;
    bool shift, control;
    Vector3D expected;
  } rows[] = {
      {"up plain", kVkUp, false, false, start + f * 2.0},
      {"up ctrl", kVkUp, false, true, start + f * 10.0},
      {"up shift", kVkUp, true, false, start + f / 5.0},
      {"up shift and ctrl", kVkUp, true, true, start + f / 5.0},
      {"down plain", kVkDown, false, false, start - f * 2.0},
      {"down ctrl", kVkDown, false, true, start - f * 10.0},
      {"down shift", kVkDown, true, false, start - f / 5.0},
  };
  for (const Row& row : rows) {
    view.m_dYaw = yaw;
    view.m_dPitch = pitch;
    view.m_vPosition = start;
    view.m_vForward = Vector3D();  // the step uses a fresh basis from the angles
    platform.shiftDown = row.shift;
    platform.controlDown = row.control;
    view.m_bProjectionDirty = 0;
    view.OnKeyDown(row.key);
    EXPECT_EQ(view.m_vPosition.x, row.expected.x) << row.name;
    EXPECT_EQ(view.m_vPosition.y, row.expected.y) << row.name;
    EXPECT_EQ(view.m_vPosition.z, row.expected.z) << row.name;
    EXPECT_EQ(view.m_bProjectionDirty, 1) << row.name;
  }
}

TEST_F(KeyboardTravel, ToleranceDecidesWhetherAPressRecomputes) {
  struct Row {
    const char* name;
    int tolerance;
    int previousMs;  // time of an earlier press, or -1 for the first press of the run
    int nowMs;
    bool recomputed;
  } rows[] = {
      {"first press of the run", 100, -1, 5000, true},
      {"first press within the hour's first 100 ms", 100, -1, 50, false},
      {"50 ms after the previous", 100, 1000, 1050, false},
      {"exactly the tolerance later", 100, 1000, 1100, true},
      {"99 ms later", 100, 1000, 1099, false},
      {"tolerance 0, same millisecond", 0, 1000, 1000, true},
      {"tolerance 0 across the full hour", 0, 3599990, 10, false},
      {"clock set back", 100, 800000, 700000, false},
      {"tolerance 2000, 2 s later", 2000, 1000, 3000, true},
  };
  for (const Row& row : rows) {
    ResetTravelPressClock();
    view.m_nMagTolerance = row.tolerance;
    if (row.previousMs >= 0) PressAt(kVkUp, row.previousMs);
    view.m_bMagnitudesValid = 1;
    PressAt(kVkUp, row.nowMs);
    EXPECT_EQ(MagnitudesRecomputed(), row.recomputed) << row.name;
    EXPECT_EQ(view.m_bMagnitudesValid, row.recomputed ? 1 : 0) << row.name;
    EXPECT_EQ(PreviousTravelPressMs(), row.nowMs) << row.name;
  }
}

TEST_F(KeyboardTravel, ReleasingAnyKeyRecomputesStaleMagnitudes) {
  PressAt(kVkUp, 1000);
  PressAt(kVkUp, 1050);
  ASSERT_EQ(view.m_bMagnitudesValid, 0);
  view.m_bProjectionDirty = 0;
  platform.invalidations = 0;
  view.OnKeyUp(kVkShift);
  EXPECT_TRUE(MagnitudesRecomputed());
  EXPECT_EQ(view.m_bMagnitudesValid, 1);
  EXPECT_EQ(view.m_bProjectionDirty, 1);
  EXPECT_EQ(platform.invalidations, 1);
  // Released again with valid magnitudes: nothing at all.
  ForgetMagnitudes();
  view.m_bProjectionDirty = 0;
  view.OnKeyUp(kVkUp);
  EXPECT_FALSE(MagnitudesRecomputed());
  EXPECT_EQ(view.m_bProjectionDirty, 0);
  EXPECT_EQ(platform.invalidations, 1);
}

TEST_F(KeyboardTravel, OtherKeysNeitherMoveNorTouchTheClock) {
  PressAt(kVkUp, 5000);
  const Vector3D before = view.m_vPosition;
  platform.invalidations = 0;
  PressAt(kVkA, 5050);
  EXPECT_EQ(view.m_vPosition.z, before.z);
  EXPECT_EQ(PreviousTravelPressMs(), 5000);
  EXPECT_EQ(platform.invalidations, 0);
  PressAt(kVkUp, 5120);  // 120 ms after the last travel press
  EXPECT_TRUE(MagnitudesRecomputed());
}

TEST_F(KeyboardTravel, WithMagnitudeDrawingOffNothingIsRecomputedOrMarked) {
  view.m_bMagnitudeDrawing = 0;
  for (int valid : {0, 1}) {
    ResetTravelPressClock();
    view.m_bMagnitudesValid = valid;
    PressAt(kVkUp, 1000);
    PressAt(kVkDown, 1010);
    EXPECT_FALSE(MagnitudesRecomputed());
    EXPECT_EQ(view.m_bMagnitudesValid, valid);
    view.OnKeyUp(kVkUp);
    EXPECT_FALSE(MagnitudesRecomputed());
    EXPECT_EQ(PreviousTravelPressMs(), 1010);
  }
}

TEST_F(KeyboardTravel, OptionsDialogEditsTheTolerance) {
  struct Row {
    const char* name;
    const char* text;
    bool accepted;
    int tolerance;  // afterwards, with Cancel after a refusal
  } rows[] = {
      {"upper bound", "2000", true, 2000},     {"lower bound", "0", true, 0},
      {"above the range", "2001", false, 100}, {"below the range", "-1", false, 100},
      {"not a number", "abc", false, 100},     {"empty", "", false, 100},
      {"not whole", "1.5", false, 100},
  };
  for (const Row& row : rows) {
    view.m_nMagTolerance = 100;
    std::string shown;
    bool accepted = false;
    OnDialogs([&](FakeDialogHost& host, DialogModel& model) {
      EXPECT_EQ(model.TemplateId(), dlg::kOptions);
      shown = host.edits[ctl::kEditTolerance];
      host.edits[ctl::kEditTolerance] = row.text;
      accepted = host.PressOk();
      EXPECT_EQ(host.refusedControl, accepted ? 0 : ctl::kEditTolerance) << row.name;
      EXPECT_EQ(host.lastExchange, (std::vector<std::string>{"Text 1022", "MinMaxInt 1022"}));
      return accepted;  // a refused dialog is then cancelled
    });
    view.m_bProjectionDirty = 0;
    platform.invalidations = 0;
    view.OnCommand(cmd::kOptions);
    EXPECT_EQ(shown, "100") << row.name;
    EXPECT_EQ(accepted, row.accepted) << row.name;
    EXPECT_EQ(view.m_nMagTolerance, row.tolerance) << row.name;
    EXPECT_EQ(view.m_bProjectionDirty, 0) << row.name;
    EXPECT_EQ(platform.invalidations, 0) << row.name;
  }
}

TEST_F(KeyboardTravel, OptionsDialogStaysOpenAfterARefusal) {
  COptionsDlg dialog;
  FakeDialogHost host(dialog);
  host.Open();
  host.edits[ctl::kEditTolerance] = "2001";
  EXPECT_FALSE(host.PressOk());
  host.edits[ctl::kEditTolerance] = "1500";
  EXPECT_TRUE(host.PressOk());
  EXPECT_EQ(dialog.m_nTolerance, 1500);
}

}  // namespace
