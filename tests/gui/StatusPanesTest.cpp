// The status bar's read-outs in the running window: the star under the
// resting pointer in the message pane, the observer in its own pane.
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

#include "AppFixture.h"

namespace {

class StatusPanesTest : public AppFixture {
 protected:
  void SetUp() override { Start({CentreStar()}); }

  QString Message() { return Frame()->MessagePane()->text(); }
  bool MessageBecomes(const std::function<bool(const QString&)>& test) {
    return QTest::qWaitFor([&] { return test(Message()); }, 1000);
  }
  // The pointer at an offset from the centre star's pixel, no button held.
  void HoverNearTheStar(QPoint offset) {
    const QPoint star(View().m_nWidth >> 1, View().m_nHeight - 1 - (View().m_nHeight >> 1));
    QTest::mouseMove(Frame()->windowHandle(), InWindow(star + offset));
  }
};

// 32.6 light years through the distance table's steps of 10 squared light years.
bool IsCentreReadout(const QString& text) { return text == "Centre   A   32.56 ly   m 3.99   M 4.00"; }

}  // namespace

TEST_F(StatusPanesTest, HoveringNamesTheStarAndLeavingBringsBackReady) {
  HoverNearTheStar(QPoint(2, -1));
  EXPECT_TRUE(MessageBecomes(IsCentreReadout)) << Message().toStdString();
  HoverNearTheStar(QPoint(5, 0));  // beyond four pixels
  EXPECT_TRUE(MessageBecomes([](const QString& t) { return t == "Ready"; })) << Message().toStdString();
  HoverNearTheStar(QPoint(0, 0));
  EXPECT_TRUE(MessageBecomes(IsCentreReadout)) << Message().toStdString();
  QTest::mouseMove(Frame()->windowHandle(), Frame()->ToolBar()->geometry().center());  // leaves the view
  EXPECT_TRUE(MessageBecomes([](const QString& t) { return t == "Ready"; })) << Message().toStdString();
}

TEST_F(StatusPanesTest, ObserverPaneFollowsTravelAndKeepsItsWidthInANarrowWindow) {
  QTest::keyClick(ViewWidget(), Qt::Key_Up);
  Frame()->UpdateIdleCommandUI();
  QLabel* observer = Frame()->ObserverPane();
  EXPECT_EQ(observer->text(), "x 0.0 y 0.0 z 2.0 ly   U 0.0 V 0.0");

  Frame()->resize(400, Frame()->height());
  EXPECT_TRUE(QTest::qWaitFor([&] { return Frame()->width() <= 400; }, 1000));
  HoverNearTheStar(QPoint(0, 0));  // a read-out longer than the room left for it
  ASSERT_TRUE(MessageBecomes([](const QString& t) { return t.startsWith("Centre   A   "); }));
  QTest::qWait(50);
  EXPECT_GE(observer->width(), observer->sizeHint().width());
  EXPECT_LT(Frame()->MessagePane()->width(), Frame()->MessagePane()->sizeHint().width());
}
