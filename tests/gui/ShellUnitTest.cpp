// Plain pieces of the shell: the code page 1252 tables, key translation,
// command routing, label text drawing and the buffer-to-image copy.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <Qt>
#include <filesystem>
#include <set>

#include "TempDirectory.h"
#include "render/PixelBuffer.h"
#include "shell/CommandRouter.h"
#include "shell/Cp1252.h"
#include "shell/DialogUnits.h"
#include "shell/MapLocation.h"
#include "shell/OuterSizeCorrection.h"
#include "shell/TextDrawer.h"
#include "shell/VirtualKeys.h"
#include "shell/WindowPainter.h"

TEST(Cp1252, DecodesEachRangeOfTheCodePage) {
  struct Row {
    const char* name;
    unsigned char byte;
    char16_t expected;
  } rows[] = {
      {"ascii", 'A', u'A'},
      {"euro", 0x80, 0x20AC},
      {"unassigned keeps value", 0x81, 0x0081},
      {"dagger", 0x86, 0x2020},
      {"y diaeresis high", 0x9F, 0x0178},
      {"no-break space", 0xA0, 0x00A0},
      {"degree sign", 0xB0, 0x00B0},
      {"last byte", 0xFF, 0x00FF},
  };
  for (const Row& row : rows) {
    const char byte = static_cast<char>(row.byte);
    const QString decoded = DecodeCp1252(std::string_view(&byte, 1));
    ASSERT_EQ(decoded.size(), 1) << row.name;
    EXPECT_EQ(decoded[0].unicode(), row.expected) << row.name;
  }
}

TEST(Cp1252, EveryByteRoundTripsAndForeignCharactersBecomeQuestionMarks) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(EncodeCp1252(DecodeCp1252(all)), all);
  EXPECT_EQ(EncodeCp1252(QString::fromUtf8("a\u4e2d\u00b0")), "a?\xB0");
}

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

TEST(TextDrawer, DrawsOpaqueCellsInTheTextColourClippedToTheBuffer) {
  const TextDrawer drawer(96.0);
  EXPECT_EQ(drawer.Font().pixelSize(), 11);  // 8 points at 96 dpi
  const QFontMetrics metrics(drawer.Font());
  const QRect cell(2, 3, metrics.horizontalAdvance("Sirius"), metrics.height());
  PixelBuffer buffer(60, 30);
  std::fill(buffer.words.begin(), buffer.words.end(), 0x1234);
  drawer.Draw(buffer, cell.x(), cell.y(), "Sirius", kColorBlue);
  drawer.Draw(buffer, -5, 25, "4.20", kColorOrange);  // cut off at the left and the bottom
  drawer.Draw(buffer, 40, 0, "", kColorBlue);         // nothing

  std::set<uint16_t> inCell, outside;
  for (int y = 0; y < buffer.height; ++y)
    for (int x = 0; x < buffer.width; ++x)
      (cell.contains(x, y) ? inCell : outside).insert(buffer.AtWindow(x, y));
  EXPECT_EQ(inCell, (std::set<uint16_t>{0x0000, 0x001F}));
  EXPECT_EQ(outside, (std::set<uint16_t>{0x0000, 0x1234, 0x7DE0}));
  EXPECT_EQ(buffer.AtWindow(cell.right() + 1, cell.y()), 0x1234);
  EXPECT_EQ(buffer.AtWindow(40, 0), 0x1234);
}

TEST(PixelBufferToImage, FlipsRowsAndWidensChannels) {
  PixelBuffer buffer(2, 2);
  buffer.words = {0x7FFF, 0x001F, 0x3DEF, 0x7C00};  // bottom row first
  const QImage image = PixelBufferToImage(buffer);
  EXPECT_EQ(image.pixel(0, 0), qRgb(123, 123, 123));
  EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 255));
}

TEST(MapLocation, TakesTheFirstExistingCandidate) {
  TempDirectory dir("map-location");
  const std::string program = dir.File("program");
  const std::string data = dir.File("data");
  const std::vector<std::string> candidates = MapCandidates(program, data);
  ASSERT_EQ(candidates.size(), 3u);
  EXPECT_EQ(candidates[0], "map.smp");
  EXPECT_EQ(ChooseMapPath({candidates[1], candidates[2]}), candidates[1]);  // none exists

  std::filesystem::create_directory(data);
  QFile(QString::fromStdString(candidates[2])).open(QIODevice::WriteOnly);
  EXPECT_EQ(ChooseMapPath({candidates[1], candidates[2]}), candidates[2]);
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
