// The window of the one view: a QWidget that owns the CSkyglassView,
// implements its platform (repaints, capture, key state, clock, dialogs,
// text, the copy to the window) and translates Qt's paint, size, mouse and
// key events into the view's calls. As the active view it is also the first
// link of the command route.
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "framework/CommandTarget.h"
#include "render/ViewPlatform.h"
#include "shell/TextDrawer.h"
#include "view/SkyglassView.h"

class QPainter;
class WindowPainter;

class SkyglassViewWidget : public QWidget, public ViewPlatform, public CommandTarget {
  Q_OBJECT

 public:
  SkyglassViewWidget(CSkyglassDoc& document, QWidget* parent = nullptr);

  CSkyglassView& View() { return m_view; }
  // What the window shows, pixel for pixel, as --render would write it.
  QImage Picture();

  // ViewPlatform
  void Invalidate() override;
  void SetCapture() override { m_hasCapture = true; }
  bool HasCapture() const override { return m_hasCapture; }
  void ReleaseCapture() override { m_hasCapture = false; }
  // As of the input event being handled, not as the keyboard is now.
  bool IsKeyDown(ModifierKey key) const override;
  int LocalTimeMsWithinHour() const override;
  bool RunDialog(DialogModel& dialog) override;
  void DrawText(PixelBuffer& target, int x, int y, std::string_view text, uint32_t colorRef) override;
  void CopyToWindow(const PixelBuffer& stars) override;
  void FillWindowRect(const WindowRect& rect, uint32_t colorRef) override;
  void DrawWindowText(std::string_view text, const WindowRect& rect, uint32_t colorRef,
                      TextBreaks breaks) override;

  // CommandTarget
  bool OnCommand(int id) override { return m_view.OnCommand(id); }
  bool OnUpdateCommandUI(int id, CCmdUI& cmdUI) override { return m_view.OnUpdateCommandUI(id, cmdUI); }
  bool HandlesCommand(int id) const override { return CSkyglassView::HandlesCommand(id); }

 signals:
  // The read-out of the star under the resting pointer, and where on the
  // screen the pointer is; empty when there is none.
  void starReadoutChanged(const QString& text, const QPoint& pointer);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab reaches the view as a key instead of moving the focus.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  // One paint of the view through painter.
  void PaintView(QPainter& painter);
  void DeliverPendingPress();
  // Where the pointer rests with no button held (none: off the view or
  // dragging), and the star read-out for it in the current frame.
  void SetHoverPoint(std::optional<QPoint> point);
  void UpdateStarReadout();
  // Ends a drag the view can no longer follow: the capture and any held-back
  // press go (a modal dialog opened, the focus went, or the button came up
  // where the view did not see it).
  void CancelDrag();

  TextDrawer m_textDrawer;
  CSkyglassView m_view;
  WindowPainter* m_windowPainter = nullptr;  // set only while a paint runs
  bool m_hasCapture = false;
  // Shift and Ctrl as the event being handled carries them.
  Qt::KeyboardModifiers m_eventModifiers;
  // A left press not yet passed on: Qt delivers the second press of a
  // double-click as a press followed by the double-click, where the view
  // expects only the double-click. The press goes on at the next move or
  // release, or is dropped when a double-click follows it.
  std::optional<QPoint> m_pendingPress;
  std::optional<QPoint> m_hoverPoint;
  QString m_starReadout;
  // A travel step was handed to the view and its frame not yet painted: the
  // auto-repeats of a held key that arrive meanwhile are merged into it (X11
  // delivers each as its own event, and a slow frame would otherwise queue
  // them into travel that runs on after the key is released).
  bool m_travelStepUnpainted = false;
  // From a travel key's press to the release of a key.
  bool m_travelKeyHeld = false;
};
