// Display switches, zoom presets, the zoom read-out and the view's command map.
#include <gtest/gtest.h>

#include <cfloat>

#include "ViewFixture.h"
#include "interaction/CommandIds.h"
#include "interaction/ZoomReadout.h"

namespace {

struct LabelFlags {
  int names;
  int smallNames;
  int designations;
  bool operator==(const LabelFlags&) const = default;
};

std::ostream& operator<<(std::ostream& os, const LabelFlags& f) {
  return os << "{" << f.names << "," << f.smallNames << "," << f.designations << "}";
}

class DisplayToggles : public ViewTest {
 protected:
  void SetLabels(LabelFlags f) {
    view.m_bNames = f.names;
    view.m_bSmallNames = f.smallNames;
    view.m_bDurchmusterung = f.designations;
  }
  LabelFlags Labels() const { return {view.m_bNames, view.m_bSmallNames, view.m_bDurchmusterung}; }
  int Check(int id) {
    RecordingCmdUI ui;
    EXPECT_TRUE(view.OnUpdateCommandUI(id, ui));
    return ui.check;
  }
};

TEST_F(DisplayToggles, LabelSwitchesKeepTheirNesting) {
  struct Row {
    const char* name;
    LabelFlags before;
    int command;
    LabelFlags after;
  } rows[] = {
      {"designations on sets all three", {0, 0, 0}, cmd::kDurchmusterung, {1, 1, 1}},
      {"names off clears all three", {1, 1, 1}, cmd::kNames, {0, 0, 0}},
      {"small names off clears designations, keeps names", {1, 1, 1}, cmd::kSmallNames, {1, 0, 0}},
      {"names on sets names only", {0, 0, 0}, cmd::kNames, {1, 0, 0}},
      {"small names on sets names too", {0, 0, 0}, cmd::kSmallNames, {1, 1, 0}},
      {"designations off clears designations only", {1, 1, 1}, cmd::kDurchmusterung, {1, 1, 0}},
      {"designations on from names only", {1, 0, 0}, cmd::kDurchmusterung, {1, 1, 1}},
      {"distances change no label flag", {1, 1, 0}, cmd::kDistances, {1, 1, 0}},
      {"star colours change no label flag", {1, 1, 0}, cmd::kStarColours, {1, 1, 0}},
  };
  for (const Row& row : rows) {
    SetLabels(row.before);
    platform.invalidations = 0;
    view.m_bProjectionDirty = 0;
    ASSERT_TRUE(view.OnCommand(row.command)) << row.name;
    EXPECT_EQ(Labels(), row.after) << row.name;
    EXPECT_EQ(view.m_bProjectionDirty, 1) << row.name;
    EXPECT_EQ(platform.invalidations, 1) << row.name;
  }
}

TEST_F(DisplayToggles, NestingHoldsAfterAnySequenceFromTheDefaults) {
  const int commands[] = {cmd::kNames, cmd::kSmallNames, cmd::kDurchmusterung, cmd::kDistances};
  // Every sequence of four commands (256 sequences).
  for (int code = 0; code < 256; ++code) {
    SetLabels({0, 0, 0});
    for (int step = 0; step < 4; ++step) {
      view.OnCommand(commands[(code >> (2 * step)) & 3]);
      const LabelFlags f = Labels();
      EXPECT_TRUE(f.designations <= f.smallNames && f.smallNames <= f.names) << "sequence " << code << f;
    }
  }
}

TEST_F(DisplayToggles, MenuChecksFollowTheFlags) {
  view.OnCommand(cmd::kDurchmusterung);
  EXPECT_EQ(Check(cmd::kNames), 1);
  EXPECT_EQ(Check(cmd::kSmallNames), 1);
  EXPECT_EQ(Check(cmd::kDurchmusterung), 1);
  EXPECT_EQ(Check(cmd::kDistances), 0);
  EXPECT_EQ(Check(cmd::kMagnitudeDrawing), 1);
  EXPECT_EQ(Check(cmd::kDebug), 0);
  EXPECT_EQ(Check(cmd::kStarColours), 0);
  view.OnCommand(cmd::kDistances);
  view.OnCommand(cmd::kMagnitudeDrawing);
  view.OnCommand(cmd::kDebug);
  view.OnCommand(cmd::kStarColours);
  EXPECT_EQ(Check(cmd::kDistances), 1);
  EXPECT_EQ(Check(cmd::kMagnitudeDrawing), 0);
  EXPECT_EQ(Check(cmd::kDebug), 1);
  EXPECT_EQ(Check(cmd::kStarColours), 1);
}

TEST_F(DisplayToggles, MagnitudeDrawingOnRecomputesAtOnce) {
  view.m_bMagnitudeDrawing = 0;
  view.m_bMagnitudesValid = 0;
  ForgetMagnitudes();
  view.OnCommand(cmd::kMagnitudeDrawing);
  EXPECT_EQ(view.m_bMagnitudeDrawing, 1);
  EXPECT_TRUE(MagnitudesRecomputed());
  EXPECT_EQ(view.m_bMagnitudesValid, 1);
  doc.m_catalog.WriteMagnitudesOf(0);
  EXPECT_EQ(doc.m_catalog.m_pStars[0].dDistance, 13.0);  // (3, 4, 12) from the origin
}

TEST_F(DisplayToggles, MagnitudeDrawingOnRecomputesEvenWhenValid) {
  view.m_bMagnitudeDrawing = 0;
  view.m_bMagnitudesValid = 1;
  ForgetMagnitudes();
  view.OnCommand(cmd::kMagnitudeDrawing);
  EXPECT_TRUE(MagnitudesRecomputed());
}

TEST_F(DisplayToggles, MagnitudeDrawingOffRecomputesNothingAndKeepsValidity) {
  for (int valid : {0, 1}) {
    view.m_bMagnitudeDrawing = 1;
    view.m_bMagnitudesValid = valid;
    ForgetMagnitudes();
    view.m_bProjectionDirty = 0;
    view.OnCommand(cmd::kMagnitudeDrawing);
    EXPECT_EQ(view.m_bMagnitudeDrawing, 0);
    EXPECT_FALSE(MagnitudesRecomputed());
    EXPECT_EQ(view.m_bMagnitudesValid, valid);
    EXPECT_EQ(view.m_bProjectionDirty, 1);
  }
}

TEST_F(DisplayToggles, DebugSwitchChangesOnlyItsFlagAndRedrawsNothing) {
  view.m_bProjectionDirty = 0;
  view.OnCommand(cmd::kDebug);
  EXPECT_EQ(view.m_bDebug, 1);
  EXPECT_EQ(view.m_bProjectionDirty, 0);  // the repaint only copies the frame
  EXPECT_EQ(platform.invalidations, 1);
  EXPECT_EQ(Labels(), (LabelFlags{0, 0, 0}));
  EXPECT_EQ(view.m_bDistances, 0);
  EXPECT_EQ(view.m_bMagnitudeDrawing, 1);
  view.OnCommand(cmd::kDebug);
  EXPECT_EQ(view.m_bDebug, 0);
}

TEST_F(DisplayToggles, ZoomPresetsAssignAndNeverCompound) {
  struct Row {
    int command;
    double zoom;
  } rows[] = {{cmd::kZoom50, 0.5},  {cmd::kZoom100, 1.0},   {cmd::kZoom200, 2.0},
              {cmd::kZoom500, 5.0}, {cmd::kZoom1000, 10.0}, {cmd::kZoom2000, 20.0}};
  for (const Row& row : rows) {
    view.m_dZoom = 1.4;
    ForgetMagnitudes();
    view.m_bProjectionDirty = 0;
    view.OnCommand(row.command);
    view.OnCommand(row.command);
    EXPECT_EQ(view.m_dZoom, row.zoom) << row.command;
    EXPECT_EQ(view.m_bProjectionDirty, 1);
    EXPECT_FALSE(MagnitudesRecomputed());
  }
}

TEST(ZoomReadout, TruncatesAndPadsToThreeCharacters) {
  struct Row {
    double zoom;
    const char* text;
  } rows[] = {
      {0.5, " 50%"},
      {1.0, "100%"},
      {20.0, "2000%"},
      {1.4, "140%"},
      {0.7142857142857143, " 71%"},
      {1.9599999999999997, "195%"},  // 1.4 x 1.4: truncated, not rounded
      {0.05, "  5%"},
      {0.001, "  0%"},
      {21474836.47, "2147483647%"},
      {21474836.48, ">2147483647%"},  // the percentage no longer fits an int
      {DBL_MAX, ">2147483647%"},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatZoomReadout(row.zoom), row.text) << row.zoom;
}

TEST_F(DisplayToggles, ZoomFieldShowsTheReadout) {
  view.OnZoom(0.5);
  RecordingCmdUI ui;
  EXPECT_TRUE(view.OnUpdateCommandUI(cmd::kZoomField, ui));
  EXPECT_EQ(ui.text, " 50%");
}

TEST_F(DisplayToggles, CommandMapCoversExactlyTheViewsCommands) {
  const int handled[] = {32774, 32775, 32777, 32781, 32783, 32785, 32786, 32791, 32795,
                         32796, 32797, 32798, 32799, 32800, 32801, 32802, 32807};
  for (int id : handled) EXPECT_TRUE(CSkyglassView::HandlesCommand(id)) << id;
  const int others[] = {1016, 57607, 57608, 57609, 57634, 57637, 57664, 57665, 59392, 32782, 32804, 0};
  for (int id : others) {
    EXPECT_FALSE(CSkyglassView::HandlesCommand(id)) << id;
    EXPECT_FALSE(view.OnCommand(id)) << id;
  }
  const int updated[] = {32774, 32807, 32785, 32781, 32786, 32775, 1016};
  for (int id : updated) {
    RecordingCmdUI ui;
    EXPECT_TRUE(view.OnUpdateCommandUI(id, ui)) << id;
  }
  for (int id : {32777, 32783, 32791, 32795, 32801, 32802, 57665}) {
    RecordingCmdUI ui;
    EXPECT_FALSE(view.OnUpdateCommandUI(id, ui)) << id;
  }
}

}  // namespace
