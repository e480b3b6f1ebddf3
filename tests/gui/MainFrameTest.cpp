// The main frame of the running application: caption and size, menus,
// accelerators, toolbar, status bar and its lock panes, command state and the
// frame's commands.
#include <QDockWidget>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "AppFixture.h"
#include "interaction/CommandIds.h"
#include "shell/LockIndicators.h"

namespace {

class MainFrameTest : public AppFixture {
 protected:
  void SetUp() override { Start({CentreStar()}); }
};

// One line per entry, indented by depth; separators as "---".
void Describe(const QMenu& menu, const QString& indent, QStringList& lines) {
  for (const QAction* action : menu.actions()) {
    lines << indent + (action->isSeparator() ? QStringLiteral("---") : action->text());
    if (action->menu() != nullptr) Describe(*action->menu(), indent + "  ", lines);
  }
}

}  // namespace

TEST_F(MainFrameTest, CaptionAndInitialOuterSize) {
  EXPECT_EQ(Frame()->windowTitle(), "Vantaro");
  EXPECT_EQ(Frame()->frameGeometry().size(), QSize(652, 578));
  EXPECT_FALSE(Frame()->windowIcon().isNull());
}

TEST_F(MainFrameTest, MenusInOrderWithMnemonicsShortcutTextsAndSeparators) {
  QStringList lines;
  for (const QAction* top : Frame()->menuBar()->actions()) {
    lines << top->text();
    Describe(*top->menu(), "  ", lines);
  }
  const QStringList expected = {
      "&File",
      "  Save View &As...\tCtrl+S",
      "  ---",
      "  E&xit\tEsc",
      "&Options",
      "  &Toolbar",
      "  &Status Bar",
      "  ---",
      "  &Names",
      "  S&mall Names",
      "  D&urchmusterung #s",
      "  ---",
      "  &Distances",
      "  Star &Colours",
      "  ---",
      "  Constellation &Figures",
      "  Galactic &Grid",
      "  ---",
      "  &Options...\tCtrl+O",
      "&Travel",
      "  To a &Star...\tCtrl+T",
      "  By &Coordinate...",
      "  To the &Selection",
      "&View",
      "  To a &Star...\tCtrl+D",
      "  To &Coordinates...",
      "  At the &Selection",
      "  &Zoom",
      "    50%",
      "    100%\tCtrl+1",
      "    &200%",
      "    &500%",
      "    &1000%",
      "    2&000%",
      "  &Full Screen\tF11",
      "&Help",
      "  &About Vantaro...",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(MainFrameTest, AcceleratorTable) {
  const std::pair<int, QList<QKeySequence>> rows[] = {
      {cmd::kZoom100, {QKeySequence(Qt::CTRL | Qt::Key_1)}},
      {cmd::kEditCopy, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
      {cmd::kViewToStar, {QKeySequence(Qt::CTRL | Qt::Key_D)}},
      {cmd::kOptions, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
      {cmd::kTravelToStar, {QKeySequence(Qt::CTRL | Qt::Key_T)}},
      {cmd::kEditPaste, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
      {cmd::kEditUndo, {QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
      {cmd::kEditCut, {QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
      {cmd::kEscape, {QKeySequence(Qt::Key_Escape)}},
      {cmd::kNextPane, {QKeySequence(Qt::Key_F6)}},
      {cmd::kPrevPane, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}},
      {cmd::kPause, {QKeySequence(Qt::Key_Pause)}},
      {cmd::kSaveViewAs, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
      {cmd::kFullScreen, {QKeySequence(Qt::Key_F11)}},
      {cmd::kAppExit, {}},  // the menu shows "Esc", but Esc belongs to another command
  };
  for (const auto& [id, keys] : rows) EXPECT_EQ(Frame()->ActionById(id)->shortcuts(), keys) << id;
}

TEST_F(MainFrameTest, AcceleratorsRunHandledCommandsAndUnhandledOnesDoNothing) {
  Route(cmd::kZoom2000);
  for (QKeyCombination key : {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::Key_Pause),
                              QKeyCombination(Qt::CTRL, Qt::Key_C), QKeyCombination(Qt::CTRL, Qt::Key_V),
                              QKeyCombination(Qt::ALT, Qt::Key_Backspace), QKeyCombination(Qt::Key_F6)})
    QTest::keyClick(ViewWidget(), key.key(), key.keyboardModifiers());
  EXPECT_TRUE(Frame()->isVisible());
  EXPECT_EQ(View().m_dZoom, 20.0);
  EXPECT_EQ(View().m_vPosition.z, 0.0);

  QTest::keyClick(ViewWidget(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(View().m_dZoom, 1.0);
}

TEST_F(MainFrameTest, MenuItemsAreEnabledExactlyWhenSomeoneHandlesThem) {
  // Greyed by their own state: the figures without a figures file, the selection's commands without one.
  auto disabledItems = [this] {
    QStringList disabled;
    for (QAction* top : Frame()->menuBar()->actions()) {
      Frame()->UpdateMenuCommandUI(*top->menu());
      for (const QAction* item : top->menu()->actions())
        if (!item->isEnabled()) disabled << item->text();
    }
    return disabled;
  };
  EXPECT_EQ(disabledItems(),
            (QStringList{"Constellation &Figures", "To the &Selection", "At the &Selection"}));
  View().SetFigures({{"Tst", "Test", {{1, Vector3D(0, 0, 10)}}, {}}});
  View().Select(0);
  EXPECT_EQ(disabledItems(), QStringList());

  QMenu menu;
  QAction* copy = Frame()->ActionById(cmd::kEditCopy);
  menu.addAction(copy);
  Frame()->UpdateMenuCommandUI(menu);
  EXPECT_FALSE(copy->isEnabled());
}

TEST_F(MainFrameTest, ToolbarSlotsIconsAndTooltips) {
  QToolBar* bar = Frame()->ToolBar();
  EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
  EXPECT_TRUE(bar->isMovable());
  QStringList slotTexts;
  for (QAction* action : bar->actions()) {
    if (action->isSeparator()) {
      slotTexts << "|";
    } else if (bar->widgetForAction(action) == Frame()->ZoomField()) {
      slotTexts << "zoom field";
    } else {
      slotTexts << QString::number(action->data().toInt()) + " " + action->toolTip();
      EXPECT_FALSE(action->icon().isNull());
    }
  }
  EXPECT_EQ(slotTexts, (QStringList{"zoom field", "|", "32774 Toggle Names", "32807 Toggle Names",
                                    "32785 Toggle BD/CD/PD Designations", "|", "32781 Toggle Distance", "|",
                                    "32786 Toggle Magnitude depending drawing", "32812 Toggle Star Colours",
                                    "32813 Toggle Constellation Figures"}));
  EXPECT_EQ(Frame()->ZoomField()->width(), 60);
  EXPECT_EQ(Frame()->ZoomField()->toolTip(), "Zoom Factor");
  EXPECT_EQ(Frame()->ZoomField()->statusTip(), "Changes the scaling factor of the visible area.");
  EXPECT_EQ(Frame()->ActionById(cmd::kNames)->statusTip(), "Shows/Hides Starnames.");
  EXPECT_EQ(Frame()->ActionById(cmd::kStarColours)->statusTip(),
            "Shows stars in the colours of their spectral classes.");
}

TEST_F(MainFrameTest, StatusBarShowsPromptsWhereReadyStands) {
  Frame()->UpdateIdleCommandUI();
  QStringList panes;
  for (const QLabel* label : Frame()->statusBar()->findChildren<QLabel*>()) panes << label->text();
  // The offscreen platform has no keyboard state to read: the lock panes are blank.
  EXPECT_EQ(panes, (QStringList{"Ready", "x 0.0 y 0.0 z 0.0 ly   U 0.0 V 0.0", "", "", ""}));
  QLabel* message = Frame()->MessagePane();
  QTest::qWait(0);  // the layout takes in the observer pane's text
  const QRect readyGeometry = message->geometry();

  QWidget* namesButton = Frame()->ToolBar()->widgetForAction(Frame()->ActionById(cmd::kNames));
  QTest::mouseMove(namesButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return message->text() == "Shows/Hides Starnames."; }, 1000));
  EXPECT_TRUE(message->isVisible());
  EXPECT_EQ(message->geometry(), readyGeometry);   // the text does not move
  QTest::mouseMove(ViewWidget(), QPoint(20, 20));  // away from the star at the centre
  EXPECT_TRUE(QTest::qWaitFor([&] { return message->text() == "Ready"; }, 1000));

  QMenu* options = Frame()->menuBar()->actions()[1]->menu();
  options->popup(Frame()->mapToGlobal(QPoint(40, 20)));
  options->setActiveAction(Frame()->ActionById(cmd::kDistances));
  EXPECT_EQ(message->text(), "Shows/Hides Distances to stars.");
  EXPECT_TRUE(message->isVisible());
  options->close();
}

// A keyboard whose locks the test sets, and which reports their changes when the test says so.
class FakeLockKeys : public LockKeyReader {
 public:
  explicit FakeLockKeys(std::optional<LockKeys>& keys) : m_keys(keys) {}
  std::optional<LockKeys> Read() const override { return m_keys; }
  void WatchChanges(std::function<void()> changed) override { m_changed = std::move(changed); }
  void ReportChange() const { m_changed(); }

 private:
  std::optional<LockKeys>& m_keys;
  std::function<void()> m_changed;
};

QStringList LockPaneTexts(const LockIndicators& indicators) {
  QStringList texts;
  for (const QLabel* pane : indicators.Panes()) texts << pane->text();
  return texts;
}

TEST_F(MainFrameTest, LockPanesShowTheirTextOnlyWhileTheirLockIsOn) {
  const struct {
    const char* name;
    std::optional<LockKeys> keys;
    QStringList texts;
  } rows[] = {
      {"unreadable", std::nullopt, {"", "", ""}},
      {"all off", LockKeys{}, {"", "", ""}},
      {"caps", LockKeys{.caps = true}, {"CAP", "", ""}},
      {"num", LockKeys{.num = true}, {"", "NUM", ""}},
      {"scroll", LockKeys{.scroll = true}, {"", "", "SCRL"}},
      {"caps and scroll", LockKeys{.caps = true, .scroll = true}, {"CAP", "", "SCRL"}},
      {"all on", LockKeys{true, true, true}, {"CAP", "NUM", "SCRL"}},
  };
  LockIndicators& indicators = *Frame()->Indicators();
  const int width = indicators.Panes()[0]->width();
  for (const auto& row : rows) {
    std::optional<LockKeys> keys = row.keys;
    indicators.SetReader(std::make_unique<FakeLockKeys>(keys));
    EXPECT_EQ(LockPaneTexts(indicators), row.texts) << row.name;
    QTest::qWait(0);
    EXPECT_EQ(indicators.Panes()[0]->width(), width) << row.name;  // lit or blank, the same size
  }
}

TEST_F(MainFrameTest, LockPanesFollowLockKeysAndTheWindowsActivation) {
  std::optional<LockKeys> keys = LockKeys{};
  LockIndicators& indicators = *Frame()->Indicators();
  auto reader = std::make_unique<FakeLockKeys>(keys);
  const FakeLockKeys& keyboard = *reader;
  indicators.SetReader(std::move(reader));

  keys->caps = true;
  QTest::keyClick(ViewWidget(), Qt::Key_A);  // not a lock key: nothing read
  EXPECT_EQ(LockPaneTexts(indicators), (QStringList{"", "", ""}));
  QTest::keyClick(ViewWidget(), Qt::Key_CapsLock);
  EXPECT_EQ(LockPaneTexts(indicators), (QStringList{"CAP", "", ""}));
  keys->num = true;
  QTest::keyRelease(ViewWidget(), Qt::Key_NumLock);
  EXPECT_EQ(LockPaneTexts(indicators), (QStringList{"CAP", "NUM", ""}));

  // Changed while another window had the focus: read again on activation.
  keys = LockKeys{.scroll = true};
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(Frame(), &activate);
  EXPECT_EQ(LockPaneTexts(indicators), (QStringList{"", "", "SCRL"}));

  // Changed by another program, reported by the keyboard without a key event here.
  keys = LockKeys{.num = true};
  keyboard.ReportChange();
  EXPECT_EQ(LockPaneTexts(indicators), (QStringList{"", "NUM", ""}));
}

// The idle update and the menu update, driven by the event loop itself.
TEST_F(MainFrameTest, IdleTurnWritesTheZoomFieldAndOpeningAMenuSetsItsCheckMarks) {
  Route(cmd::kZoom500);
  QEventLoop idle;  // blocks for events, unlike QTest::qWait
  QTimer::singleShot(50, &idle, &QEventLoop::quit);
  idle.exec();
  EXPECT_EQ(Frame()->ZoomField()->text(), "500%");

  QMenu* options = Frame()->menuBar()->actions()[1]->menu();
  QAction* statusItem = Frame()->ActionById(cmd::kViewStatusBar);
  for (bool shown : {true, false}) {
    if (!shown) Route(cmd::kViewStatusBar);
    options->popup(Frame()->mapToGlobal(QPoint(40, 20)));
    EXPECT_EQ(statusItem->isChecked(), shown);
    options->close();
  }
}

TEST_F(MainFrameTest, IdleUpdateChecksButtonsAndWritesTheZoomField) {
  QWidget* smallNamesButton = Frame()->ToolBar()->widgetForAction(Frame()->ActionById(cmd::kSmallNames));
  Route(cmd::kSmallNames);
  Route(cmd::kZoom50);
  Frame()->UpdateIdleCommandUI();
  EXPECT_TRUE(Frame()->ActionById(cmd::kNames)->isChecked());
  EXPECT_TRUE(static_cast<QToolButton*>(smallNamesButton)->isChecked());
  EXPECT_FALSE(Frame()->ActionById(cmd::kDurchmusterung)->isChecked());
  EXPECT_TRUE(Frame()->ActionById(cmd::kMagnitudeDrawing)->isChecked());
  EXPECT_FALSE(Frame()->ActionById(cmd::kStarColours)->isChecked());
  EXPECT_EQ(Frame()->ZoomField()->text(), " 50%");
  Route(cmd::kStarColours);
  Frame()->UpdateIdleCommandUI();
  EXPECT_TRUE(Frame()->ActionById(cmd::kStarColours)->isChecked());

  QTest::keyClicks(Frame()->ZoomField(), "300");  // typing changes nothing
  EXPECT_EQ(View().m_dZoom, 0.5);
  Frame()->UpdateIdleCommandUI();
  EXPECT_EQ(Frame()->ZoomField()->text(), " 50%");
}

TEST_F(MainFrameTest, ToolbarAndStatusBarCommandsShowAndHideWithCheckMarks) {
  QAction* toolbarItem = Frame()->ActionById(cmd::kViewToolbar);
  QAction* statusItem = Frame()->ActionById(cmd::kViewStatusBar);
  QMenu* options = Frame()->menuBar()->actions()[1]->menu();

  Route(cmd::kViewToolbar);
  Route(cmd::kViewStatusBar);
  Frame()->UpdateMenuCommandUI(*options);
  EXPECT_FALSE(Frame()->ToolBar()->isVisible());
  EXPECT_FALSE(Frame()->ZoomField()->isVisible());
  EXPECT_FALSE(Frame()->statusBar()->isVisible());
  EXPECT_FALSE(toolbarItem->isChecked());
  EXPECT_FALSE(statusItem->isChecked());

  Route(cmd::kViewToolbar);
  Route(cmd::kViewStatusBar);
  Frame()->UpdateMenuCommandUI(*options);
  EXPECT_TRUE(Frame()->ZoomField()->isVisible());
  EXPECT_TRUE(Frame()->statusBar()->isVisible());
  EXPECT_TRUE(toolbarItem->isChecked());
  EXPECT_TRUE(statusItem->isChecked());
}

TEST_F(MainFrameTest, OddWidthIsCorrectedToTheEvenWidthBelow) {
  Frame()->resize(601, 500);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Frame()->width() == 600; }, 1000));
  QTest::qWait(20);
  EXPECT_EQ(Frame()->width(), 600);
  EXPECT_EQ(ViewWidget()->width() % 2, 0);
  EXPECT_EQ(View().m_nWidth, ViewWidget()->width());
  EXPECT_EQ(View().m_nHeight, ViewWidget()->height());
}

// A dock of either parity beside the view: on the full screen the window
// cannot give up a pixel, yet the view's width stays even. F11 and the menu
// toggle; Esc leaves full screen and, outside it, does nothing.
TEST_F(MainFrameTest, FullScreenKeepsAnEvenViewWidthAndEscLeavesIt) {
  QAction* item = Frame()->ActionById(cmd::kFullScreen);
  QMenu* viewMenu = Frame()->menuBar()->actions()[3]->menu();
  auto settled = [&] { return (ViewWidget()->width() & 1) == 0 && View().m_nWidth == ViewWidget()->width(); };
  int blankColumns = 0;
  for (int dockWidth : {100, 101}) {
    auto* dock = new QDockWidget(Frame());
    dock->setWidget(new QWidget(dock));
    dock->setFixedWidth(dockWidth);
    Frame()->addDockWidget(Qt::LeftDockWidgetArea, dock);
    const QSize windowed = Frame()->size();

    QTest::keyClick(ViewWidget(), Qt::Key_F11);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Frame()->isFullScreen(); }, 1000)) << dockWidth;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Frame()->size() == Frame()->screen()->size(); }, 1000));
    EXPECT_TRUE(QTest::qWaitFor(settled, 1000)) << dockWidth << " " << ViewWidget()->width();
    QTest::qWait(20);
    EXPECT_TRUE(settled()) << dockWidth;
    if (Frame()->contentsMargins().right() != 0) {
      ++blankColumns;
      const QPoint besideView(Frame()->width() - 1, ViewWidget()->geometry().center().y());
      EXPECT_EQ(Frame()->grab().toImage().pixel(besideView), qRgb(0, 0, 0));  // part of the sky
    }
    Frame()->UpdateMenuCommandUI(*viewMenu);
    EXPECT_TRUE(item->isChecked());

    QTest::keyClick(ViewWidget(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Frame()->isFullScreen(); }, 1000)) << dockWidth;
    EXPECT_TRUE(QTest::qWaitFor([&] { return settled() && Frame()->contentsMargins().right() == 0; }, 1000));
    QTest::keyClick(ViewWidget(), Qt::Key_Escape);  // outside full screen Esc does nothing
    QTest::qWait(20);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_FALSE(Frame()->isFullScreen());
    EXPECT_LE(Frame()->width(), windowed.width());
    Frame()->UpdateMenuCommandUI(*viewMenu);
    EXPECT_FALSE(item->isChecked());

    Route(cmd::kFullScreen);  // the menu's command does the same as F11
    EXPECT_TRUE(QTest::qWaitFor([&] { return Frame()->isFullScreen(); }, 1000));
    Route(cmd::kFullScreen);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Frame()->isFullScreen() && settled(); }, 1000));
    delete dock;
  }
  EXPECT_EQ(blankColumns, 1);  // one of the docks left the view odd on the full screen
}

TEST_F(MainFrameTest, ExitClosesTheFrame) {
  Route(cmd::kAppExit);
  EXPECT_FALSE(Frame()->isVisible());
}
