// The view's window: what it paints (stars, the no-map screen), how Qt's
// mouse and key events reach the view, and the status bar's read-outs of it.
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "AppFixture.h"
#include "render/NoMapScreen.h"
#include "render/PixelBuffer.h"
#include "shell/WindowPainter.h"

namespace {

class ViewWidgetTest : public AppFixture {
 protected:
  void SetUp() override { Start({CentreStar()}); }
};

class NoMapTest : public AppFixture {
 protected:
  void SetUp() override { Start({}); }
};

// Betelgeuse as the map has it, straight ahead at its distance.
class LongReadoutTest : public AppFixture {
 protected:
  void SetUp() override { Start({{25218, 0.001, 0.0, 497.9, -5.469, "M1-M2Ia-Iab", "Betelgeuse"}}); }
};

bool IsPureRed(QRgb pixel) { return qRed(pixel) > 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0; }

// Records whether the view held the mouse capture whenever a mouse event arrived.
class CaptureRecorder : public QObject {
 public:
  explicit CaptureRecorder(SkyglassViewWidget& view) : m_view(view) { view.installEventFilter(this); }
  std::vector<bool> seen;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (dynamic_cast<QMouseEvent*>(event) != nullptr) seen.push_back(m_view.HasCapture());
    return false;
  }

 private:
  SkyglassViewWidget& m_view;
};

}  // namespace

TEST_F(ViewWidgetTest, PaintsAStarAtTheCentrePixel) {
  const QImage grab = ViewWidget()->grab().toImage();
  const int x = View().m_nWidth >> 1;
  const int line = View().m_nHeight - 1 - (View().m_nHeight >> 1);  // buffer row m_nCenterY from the bottom
  EXPECT_EQ(grab.pixel(x, line), qRgb(255, 255, 255));
  EXPECT_EQ(grab.pixel(x + 3, line), qRgb(0, 0, 0));
  EXPECT_EQ(grab.pixel(x, line - 3), qRgb(0, 0, 0));
}

TEST_F(ViewWidgetTest, DragTurnsTheView) {
  QWindow* window = Frame()->windowHandle();
  QTest::mousePress(window, Qt::LeftButton, {}, InWindow(QPoint(100, 100)));
  QTest::mouseMove(window, InWindow(QPoint(200, 100)));
  QTest::mouseRelease(window, Qt::LeftButton, {}, InWindow(QPoint(200, 100)));
  EXPECT_EQ(View().m_dYaw, 1.0);
  QTest::mouseMove(window, InWindow(QPoint(250, 100)));  // no button, no capture: nothing
  EXPECT_EQ(View().m_dYaw, 1.0);
}

TEST_F(ViewWidgetTest, DoubleClicksZoomAndNeverStartADrag) {
  CaptureRecorder recorder(*ViewWidget());
  QWindow* window = Frame()->windowHandle();
  const QPoint at = InWindow(QPoint(50, 60));
  QTest::mouseDClick(window, Qt::LeftButton, {}, at);  // press, release, press + double-click, release
  EXPECT_EQ(View().m_dZoom, 1.4);
  EXPECT_FALSE(recorder.seen.empty());
  for (bool captured : recorder.seen) EXPECT_FALSE(captured);
  EXPECT_EQ(View().m_dYaw, 0.0);

  QTest::mouseDClick(window, Qt::RightButton, {}, at);
  EXPECT_EQ(View().m_dZoom, 1.0);
  QTest::mouseDClick(window, Qt::LeftButton, Qt::ControlModifier, at);
  EXPECT_EQ(View().m_dZoom, 2.0);
}

TEST_F(ViewWidgetTest, KeysTravelAndAutoRepeatReleasesAreNotKeyUps) {
  QTest::keyClick(ViewWidget(), Qt::Key_Up);
  EXPECT_EQ(View().m_vPosition.z, 2.0);

  View().m_bMagnitudesValid = 0;  // as after presses faster than the tolerance
  QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(ViewWidget(), &repeatRelease);
  EXPECT_EQ(View().m_bMagnitudesValid, 0);
  QKeyEvent finalRelease(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), false);
  QApplication::sendEvent(ViewWidget(), &finalRelease);
  EXPECT_EQ(View().m_bMagnitudesValid, 1);
}

TEST_F(ViewWidgetTest, StatusBarNamesTheStarUnderThePointerAndShowsTheObserver) {
  auto messageBecomes = [&](const QString& text) {
    return QTest::qWaitFor([&] { return Frame()->MessagePane()->text() == text; }, 1000);
  };
  auto hoverShows = [&](QPoint offsetFromStar, const QString& text) {
    const QPoint star(View().m_nWidth >> 1, View().m_nHeight - 1 - (View().m_nHeight >> 1));
    QTest::mouseMove(Frame()->windowHandle(), InWindow(star + offsetFromStar));
    return messageBecomes(text);
  };
  // 32.6 light years through the distance table's steps of 10 squared light years.
  const QString centre = "Centre   A   32.56 ly   m 3.99   M 4.00";
  EXPECT_TRUE(hoverShows(QPoint(2, -1), centre)) << Frame()->MessagePane()->text().toStdString();
  EXPECT_TRUE(hoverShows(QPoint(5, 0), "Ready"));  // beyond four pixels
  EXPECT_TRUE(hoverShows(QPoint(0, 0), centre));
  for (const QString& prompt :
       {QStringLiteral("Shows/Hides Starnames."), QString()}) {  // a menu item's, then none
    QStatusTipEvent tip(prompt);
    QApplication::sendEvent(Frame(), &tip);
    EXPECT_EQ(Frame()->MessagePane()->text(), prompt.isEmpty() ? centre : prompt);
  }
  QTest::mouseMove(Frame()->windowHandle(), Frame()->ToolBar()->geometry().center());  // leaves the view
  EXPECT_TRUE(messageBecomes("Ready"));

  Frame()->resize(400, Frame()->height());  // the read-out no longer fits; the observer pane does
  ASSERT_TRUE(QTest::qWaitFor([&] { return Frame()->width() <= 400; }, 1000));
  ASSERT_TRUE(hoverShows(QPoint(0, 0), centre));
  QTest::keyClick(ViewWidget(), Qt::Key_Up);
  Frame()->UpdateIdleCommandUI();
  QLabel* observer = Frame()->ObserverPane();
  EXPECT_EQ(observer->text(), "x 0.0 y 0.0 z 2.0 ly   U 0.0 V 0.0");
  QTest::qWait(50);
  EXPECT_GE(observer->width(), observer->sizeHint().width());
  EXPECT_LT(Frame()->MessagePane()->width(), Frame()->MessagePane()->sizeHint().width());
}

// A click on the star selects it: its read-out stays in the status bar while
// the pointer names no star; a drag selects nothing; Esc outside full screen
// and a click on empty sky clear the selection, Esc in full screen keeps it.
TEST_F(ViewWidgetTest, AClickSelectsTheStarAndEscOrEmptySkyClearsIt) {
  QWindow* window = Frame()->windowHandle();
  const QPoint star(View().m_nWidth >> 1, View().m_nHeight - 1 - (View().m_nHeight >> 1));
  auto messageBecomes = [&](const QString& text) {
    return QTest::qWaitFor([&] { return Frame()->MessagePane()->text() == text; }, 1000);
  };
  const QString centre = "Centre   A   32.56 ly   m 3.99   M 4.00";

  QTest::mousePress(window, Qt::LeftButton, {}, InWindow(star + QPoint(-30, 0)));
  QTest::mouseMove(window, InWindow(star));
  QTest::mouseRelease(window, Qt::LeftButton, {}, InWindow(star));  // a drag onto the star
  EXPECT_EQ(View().m_nSelectedStar, -1);
  QTest::mousePress(window, Qt::LeftButton, {}, InWindow(star));
  QTest::mouseMove(window, InWindow(star + QPoint(-30, 0)));
  QTest::mouseRelease(window, Qt::LeftButton, {}, InWindow(star + QPoint(-30, 0)));  // and back
  ASSERT_EQ(View().m_dYaw, 0.0);
  ViewWidget()->repaint();

  QTest::mouseClick(window, Qt::LeftButton, {}, InWindow(star + QPoint(1, 0)));
  EXPECT_EQ(View().m_nSelectedStar, 0);
  QTest::mouseMove(window, InWindow(star + QPoint(40, 40)));  // empty sky: the selection's read-out
  EXPECT_TRUE(messageBecomes(centre)) << Frame()->MessagePane()->text().toStdString();
  QTest::mouseMove(window, Frame()->ToolBar()->geometry().center());  // off the view: the same
  EXPECT_TRUE(messageBecomes(centre));

  QTest::keyClick(ViewWidget(), Qt::Key_F11);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Frame()->isFullScreen(); }, 1000));
  QTest::keyClick(ViewWidget(), Qt::Key_Escape);  // leaves full screen only
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Frame()->isFullScreen(); }, 1000));
  EXPECT_EQ(View().m_nSelectedStar, 0);
  QTest::keyClick(ViewWidget(), Qt::Key_Escape);
  EXPECT_EQ(View().m_nSelectedStar, -1);
  EXPECT_TRUE(messageBecomes("Ready"));

  ViewWidget()->repaint();  // the frame after leaving full screen, whose map the click reads
  const QPoint starNow(View().m_nWidth >> 1, View().m_nHeight - 1 - (View().m_nHeight >> 1));
  QTest::mouseClick(window, Qt::LeftButton, {}, InWindow(starNow));
  EXPECT_EQ(View().m_nSelectedStar, 0);
  QTest::mouseClick(window, Qt::LeftButton, {}, InWindow(starNow + QPoint(40, 40)));
  EXPECT_EQ(View().m_nSelectedStar, -1);
}

// Shift and Ctrl count as the event carries them, whatever the keyboard
// holds when the view reads them (on X11 the keyboard holds nothing here).
// A burst of a held key's auto-repeats queued behind a slow frame, and the
// release after them: the repeats merge into the step before them, so the
// burst ends one step on, and nothing moves after the release. Once that
// frame is painted, the next repeat is a step again.
TEST_F(ViewWidgetTest, QueuedAutoRepeatsMergeIntoTheStepBeforeThem) {
  ViewWidget()->repaint();
  const auto post = [&](QEvent::Type type, bool autoRepeat) {
    QCoreApplication::postEvent(ViewWidget(),
                                new QKeyEvent(type, Qt::Key_Up, Qt::NoModifier, QString(), autoRepeat));
  };
  post(QEvent::KeyPress, false);
  for (int repeat = 0; repeat < 12; ++repeat) {
    post(QEvent::KeyRelease, true);
    post(QEvent::KeyPress, true);
  }
  post(QEvent::KeyRelease, false);
  QCoreApplication::sendPostedEvents(ViewWidget());
  EXPECT_EQ(View().m_vPosition.z, 2.0);
  EXPECT_EQ(View().m_bMagnitudesValid, 1);  // the release recomputed them
  QTest::qWait(50);
  EXPECT_EQ(View().m_vPosition.z, 2.0);

  QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), false);
  QApplication::sendEvent(ViewWidget(), &press);
  ViewWidget()->repaint();
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(ViewWidget(), &repeat);
  EXPECT_EQ(View().m_vPosition.z, 6.0);
}

// A held key's step that takes longer than the tolerance to handle and draw
// must not make the next repeat late: the step on the screen counts as a
// press, so the repeat only marks the magnitudes stale.
TEST_F(ViewWidgetTest, ASlowHeldStepLeavesTheNextRepeatTooSoon) {
  View().m_nMagTolerance = 200;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), false);
  QApplication::sendEvent(ViewWidget(), &press);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // a step slower than the tolerance
  ViewWidget()->repaint();
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(ViewWidget(), &repeat);
  EXPECT_EQ(View().m_vPosition.z, 4.0);
  EXPECT_EQ(View().m_bMagnitudesValid, 0);
}

TEST_F(ViewWidgetTest, ModifiersAreThoseOfTheEvent) {
  struct Row {
    const char* name;
    Qt::KeyboardModifiers modifiers;
    double step;
    double zoom;
  } rows[] = {
      {"Shift", Qt::ShiftModifier, 0.2, 1.1},
      {"Ctrl", Qt::ControlModifier, 10.0, 2.0},
      {"Shift and Ctrl", Qt::ShiftModifier | Qt::ControlModifier, 0.2, 1.1},
      {"none", {}, 2.0, 1.4},
  };
  for (const Row& row : rows) {
    View().m_vPosition = Vector3D(0.0, 0.0, 0.0);
    View().m_dZoom = 1.0;
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, row.modifiers);
    QApplication::sendEvent(ViewWidget(), &up);
    const QPointF at(50, 60);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, ViewWidget()->mapToGlobal(at), Qt::LeftButton,
                            Qt::LeftButton, row.modifiers);
    QApplication::sendEvent(ViewWidget(), &doubleClick);
    EXPECT_EQ(View().m_vPosition.z, row.step) << row.name;
    EXPECT_EQ(View().m_dZoom, row.zoom) << row.name;
  }
}

// A left press in the view, moved or not, then Ctrl+T: the button comes up
// over the dialog, which Esc closes. The drag is over; a later drag with the
// right button turns nothing.
TEST_F(ViewWidgetTest, AModalDialogEndsTheDragAndAnyHeldBackPress) {
  QWindow* window = Frame()->windowHandle();
  for (bool moved : {true, false}) {
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    QTest::mousePress(window, Qt::LeftButton, {}, InWindow(QPoint(100, 100)));
    if (moved) QTest::mouseMove(window, InWindow(QPoint(105, 100)));
    const double yaw = View().m_dYaw;
    bool answered = false;
    ModalWatcher user([&](QWidget& modal) {
      if (std::exchange(answered, true)) return;
      QTest::mouseRelease(modal.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
      QTest::keyClick(&modal, Qt::Key_Escape);
    });
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(answered);
    EXPECT_FALSE(ViewWidget()->HasCapture()) << moved;

    QTest::mousePress(window, Qt::RightButton, {}, InWindow(QPoint(100, 100)));
    QTest::mouseMove(window, InWindow(QPoint(200, 100)));
    QTest::mouseRelease(window, Qt::RightButton, {}, InWindow(QPoint(200, 100)));
    EXPECT_EQ(View().m_dYaw, yaw) << moved;
  }
}

// Wheel notches against the double-clicks they stand for, at the same place
// with the same keys. The rows leave no part of a notch behind, except the last.
TEST_F(ViewWidgetTest, WheelNotchesZoomLikeDoubleClicks) {
  struct Row {
    const char* name;
    std::vector<int> deltas;
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButton button;  // of the double-clicks giving the same zoom
    int clicks;
  } rows[] = {
      {"a notch away zooms in", {120}, {}, Qt::LeftButton, 1},
      {"a notch towards zooms out", {-120}, {}, Qt::RightButton, 1},
      {"a half notch twice is one notch", {60, 60}, {}, Qt::LeftButton, 1},
      {"two notches in one turn", {240}, {}, Qt::LeftButton, 2},
      {"shift is fine", {120}, Qt::ShiftModifier, Qt::LeftButton, 1},
      {"ctrl is coarse", {-120}, Qt::ControlModifier, Qt::RightButton, 1},
      {"a half notch is nothing yet", {60}, {}, Qt::LeftButton, 0},
  };
  QWindow* window = Frame()->windowHandle();
  const QPoint at(50, 60);
  for (const Row& row : rows) {
    View().m_dZoom = 1.0;
    for (int i = 0; i < row.clicks; ++i) QTest::mouseDClick(window, row.button, row.modifiers, InWindow(at));
    const double clicked = View().m_dZoom;
    View().m_dZoom = 1.0;
    for (int delta : row.deltas) {
      QWheelEvent wheel(at, ViewWidget()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                        row.modifiers, Qt::NoScrollPhase, false);
      QApplication::sendEvent(ViewWidget(), &wheel);
    }
    EXPECT_EQ(View().m_dZoom, clicked) << row.name;
  }
}

TEST_F(ViewWidgetTest, WheelDoesNothingWhileTheLeftButtonIsHeld) {
  QWindow* window = Frame()->windowHandle();
  const QPoint at(100, 100);
  auto turnWheel = [&](int delta, Qt::MouseButtons buttons) {
    QWheelEvent wheel(at, ViewWidget()->mapToGlobal(at), QPoint(), QPoint(0, delta), buttons, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(ViewWidget(), &wheel);
  };
  turnWheel(60, Qt::NoButton);
  for (bool moved : {false, true}) {  // the press held back or already a drag
    QTest::mousePress(window, Qt::LeftButton, {}, InWindow(at));
    if (moved) QTest::mouseMove(window, InWindow(at + QPoint(1, 0)));
    turnWheel(120, Qt::LeftButton);
    EXPECT_EQ(View().m_dZoom, 1.0) << moved;
    QTest::mouseRelease(window, Qt::LeftButton, {}, InWindow(at));
  }
  turnWheel(60, Qt::NoButton);  // the half notch from before the drag is gone
  EXPECT_EQ(View().m_dZoom, 1.0);
}

// The pane shows what fits; the tooltip at the pointer has the whole text,
// and goes when the text fits or the pointer leaves the star.
TEST_F(LongReadoutTest, ACutReadoutShowsWholeInATooltip) {
  Frame()->UpdateIdleCommandUI();  // the observer pane takes its share of the status bar
  QLabel* pane = Frame()->MessagePane();
  const QPoint star(View().m_nWidth >> 1, View().m_nHeight - 1 - (View().m_nHeight >> 1));
  QTest::mouseMove(Frame()->windowHandle(),
                   InWindow(star + QPoint(40, 0)));  // Qt drops a move to where the pointer is
  QTest::mouseMove(Frame()->windowHandle(), InWindow(star));
  ASSERT_TRUE(QTest::qWaitFor([&] { return pane->text().startsWith("Betelgeuse"); }, 1000))
      << pane->text().toStdString();
  const QString readout = pane->text();
  ASSERT_GT(pane->fontMetrics().horizontalAdvance(readout), pane->contentsRect().width());  // cut
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), readout);

  Frame()->resize(1400, Frame()->height());
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return pane->width() > pane->fontMetrics().horizontalAdvance(readout); }, 1000));
  EXPECT_EQ(pane->text(), readout);
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 1000));

  Frame()->resize(652, Frame()->height());
  ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 1000));
  EXPECT_EQ(QToolTip::text(), readout);
  QTest::mouseMove(Frame()->windowHandle(), InWindow(star + QPoint(40, 0)));  // off the star
  EXPECT_TRUE(QTest::qWaitFor([&] { return pane->text() == "Ready"; }, 1000));
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 1000));
}

TEST_F(ViewWidgetTest, AReadoutThatFitsShowsNoTooltip) {
  const QPoint star(View().m_nWidth >> 1, View().m_nHeight - 1 - (View().m_nHeight >> 1));
  QTest::mouseMove(Frame()->windowHandle(), InWindow(star + QPoint(40, 0)));
  QTest::mouseMove(Frame()->windowHandle(), InWindow(star));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Frame()->MessagePane()->text().startsWith("Centre"); }, 1000));
  QTest::qWait(20);
  EXPECT_FALSE(QToolTip::isVisible());
}

// The no-map screen as it was before it gave reasons, with the reason drawn
// on the line below its two lines and, where it is too long, the lines after.
QImage NoMapScreenWithReason(const QFont& font, const std::string& reason) {
  QImage image(640, 480, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  WindowPainter windowPainter(painter, font);
  windowPainter.DrawText(kNoMapMessage, kNoMapTextRect, kColorRed, TextBreaks::AtNewlines);
  const int thirdLine = kNoMapTextRect.top + 2 * QFontMetrics(font).lineSpacing();
  windowPainter.DrawText(reason, {20, thirdLine, 640, 480}, kColorRed, TextBreaks::AtNewlinesAndWords);
  return image;
}

TEST_F(NoMapTest, ShowsTheMessageAndTheReasonBelowIt) {
  int longReasons = 0;
  for (const BrokenMap& map : BrokenMaps()) {
    m_app.reset();
    PlaceBrokenMap(map, m_dir.File("map.smp"));
    Start({});
    if (ViewWidget()->height() < 480) Frame()->resize(Frame()->width(), Frame()->height() + 480);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return ViewWidget()->height() >= 480 && ViewWidget()->width() >= 640; }, 1000));
    const std::string reason = m_dir.File("map.smp") + ": " + map.reason;
    EXPECT_EQ(m_app->DocTemplate().Document()->MapFailure(), reason) << map.name;
    const QImage grab =
        ViewWidget()->grab().toImage().copy(0, 0, 640, 480).convertToFormat(QImage::Format_RGB32);
    const QImage expected = NoMapScreenWithReason(ViewWidget()->font(), reason);
    EXPECT_TRUE(grab == expected) << map.name;
    // The first two lines are the screen without a reason, pixel for pixel.
    const int twoLines = kNoMapTextRect.top + 2 * QFontMetrics(ViewWidget()->font()).lineSpacing();
    EXPECT_TRUE(grab.copy(0, 0, 640, twoLines) ==
                NoMapScreenWithReason(ViewWidget()->font(), "").copy(0, 0, 640, twoLines))
        << map.name;
    int red = 0;
    for (int y = twoLines; y < 480; ++y)
      for (int x = 0; x < 640; ++x) red += IsPureRed(grab.pixel(x, y));
    EXPECT_GT(red, 100) << map.name;  // the reason is there
    // A reason too long for its line goes on below instead of being cut at the black area's edge.
    const QFontMetrics metrics(ViewWidget()->font());
    if (metrics.horizontalAdvance(QString::fromStdString(reason)) <= 640 - kNoMapTextRect.left) continue;
    ++longReasons;
    int cut = 0, fourthLine = 0;
    for (int y = twoLines; y < twoLines + metrics.lineSpacing(); ++y) cut += IsPureRed(grab.pixel(639, y));
    for (int y = twoLines + metrics.lineSpacing(); y < twoLines + 2 * metrics.lineSpacing(); ++y)
      for (int x = 0; x < 640; ++x) fourthLine += IsPureRed(grab.pixel(x, y));
    EXPECT_EQ(cut, 0) << map.name;
    EXPECT_GT(fourthLine, 0) << map.name;
  }
  EXPECT_GT(longReasons, 0);  // the test's paths make some reasons longer than a line
}

TEST(DocumentFile, OpensWithoutAMapOrEndsWithAMessage) {
  TempDirectory dir("document-file");
  const std::string mapPath = dir.Write("map.smp", TestMapBytes({CentreStar()}));
  {
    CSkyglassApp app(mapPath);
    const std::string document = mapPath;  // even a map opened as a document is not read
    std::string error;
    ASSERT_TRUE(app.InitInstance(document, &error));
    EXPECT_EQ(app.DocTemplate().Document()->m_bMapPresent, 0);
    EXPECT_EQ(app.DocTemplate().Frame()->windowTitle(), "Vantaro");
  }
  CSkyglassApp app(mapPath);
  std::string error;
  EXPECT_FALSE(app.InitInstance(dir.File("missing.txt"), &error));
  EXPECT_NE(error.find("missing.txt"), std::string::npos);
  EXPECT_EQ(app.DocTemplate().Frame(), nullptr);
}
