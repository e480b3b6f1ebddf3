// The framework's plain pieces: key translation, command routing, dialog
// units and the main window's first size.
#include <gtest/gtest.h>

#include <QRect>
#include <QSize>
#include <Qt>
#include <optional>
#include <string>
#include <vector>

#include "framework/CommandRouter.h"
#include "framework/DialogUnits.h"
#include "framework/OuterSizeCorrection.h"
#include "framework/VirtualKeys.h"

TEST(VirtualKeys, TranslatesQtKeys) {
  const std::pair<int, int> rows[] = {{Qt::Key_Up, 0x26},      {Qt::Key_Down, 0x28}, {Qt::Key_Shift, 0x10},
                                      {Qt::Key_Control, 0x11}, {Qt::Key_A, 0x41},    {Qt::Key_7, 0x37},
                                      {Qt::Key_F1, 0x70},      {Qt::Key_F12, 0x7B},  {Qt::Key_Escape, 0x1B},
                                      {Qt::Key_Launch0, 0}};
  for (const auto& [qtKey, virtualKey] : rows) EXPECT_EQ(VirtualKeyFromQt(qtKey), virtualKey) << qtKey;
}

namespace {

class RecordingTarget : public CommandTarget {
 public:
  RecordingTarget(std::set<int> commands, std::set<int> updates, std::vector<std::string>& log,
                  std::string name)
      : m_commands(std::move(commands)), m_updates(std::move(updates)), m_log(log), m_name(std::move(name)) {}
  bool OnCommand(int id) override {
    if (!m_commands.count(id)) return false;
    m_log.push_back(m_name + " ran " + std::to_string(id));
    return true;
  }
  bool OnUpdateCommandUI(int id, CCmdUI& cmdUI) override {
    if (!m_updates.count(id)) return false;
    cmdUI.SetCheck(1);
    m_log.push_back(m_name + " updated " + std::to_string(id));
    return true;
  }
  bool HandlesCommand(int id) const override { return m_commands.count(id) != 0; }

 private:
  std::set<int> m_commands, m_updates;
  std::vector<std::string>& m_log;
  std::string m_name;
};

class StateCmdUI : public TrackingCmdUI {
 public:
  bool enabled = true;
  int checked = -1;
  void SetCheck(int value) override { checked = value; }
  void SetText(std::string_view) override {}

 private:
  void ApplyEnabled(bool value) override { enabled = value; }
};

}  // namespace

TEST(CommandRouter, OffersCommandsInRouteOrderAndDisablesUnhandledItems) {
  std::vector<std::string> log;
  RecordingTarget view({1, 2}, {1}, log, "view");
  RecordingTarget frame({2, 3}, {3}, log, "frame");
  CommandRouter router;
  router.AddTarget(view);
  router.AddTarget(frame);

  EXPECT_TRUE(router.Route(2));  // the view comes first
  EXPECT_TRUE(router.Route(3));
  EXPECT_FALSE(router.Route(4));
  EXPECT_EQ(log, (std::vector<std::string>{"view ran 2", "frame ran 3"}));

  StateCmdUI handled, unhandled, unhandledControl;
  router.UpdateCommandUI(3, handled, true);
  router.UpdateCommandUI(4, unhandled, true);
  router.UpdateCommandUI(4, unhandledControl, false);
  EXPECT_TRUE(handled.enabled);
  EXPECT_EQ(handled.checked, 1);
  EXPECT_FALSE(unhandled.enabled);
  EXPECT_TRUE(unhandledControl.enabled);
}

TEST(DialogUnits, ScaleByTheFontsBaseUnitsRoundingToTheNearestPixel) {
  const DialogUnits sansSerif8(6, 13);  // 8-point MS Sans Serif at 96 dpi
  EXPECT_EQ(sansSerif8.ToPixels({40, 10, 119, 8}), QRect(60, 16, 179, 13));
  EXPECT_EQ(sansSerif8.ToPixelsX(217), 326);  // 325.5 rounds up
  EXPECT_EQ(sansSerif8.ToPixelsY(49), 80);    // 79.625
  const DialogUnits wide(7, 14);
  EXPECT_EQ(wide.ToPixelsX(217), 380);  // 379.75
  EXPECT_EQ(wide.ToPixelsY(7), 12);     // 12.25
}

TEST(OuterSizeCorrection, AppliesOnceWhenTheFrameFirstShows) {
  struct Step {
    QSize withFrame;
    QSize withoutFrame;
    std::optional<QSize> resizeTo;
  } steps[] = {
      {{652, 578}, {652, 578}, std::nullopt},  // shown, frame extents not known yet
      {{654, 603}, {652, 578}, QSize(650, 553)},
      {{652, 578}, {650, 553}, std::nullopt},  // the user's sizes from now on
      {{802, 625}, {800, 600}, std::nullopt},
  };
  OuterSizeCorrection correction(QSize(652, 578));
  for (const Step& step : steps)
    EXPECT_EQ(correction.WindowSizeFor(step.withFrame, step.withoutFrame), step.resizeTo)
        << step.withFrame.width();
}
