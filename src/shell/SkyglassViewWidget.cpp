// Event translation and the window platform of the view.
#include "shell/SkyglassViewWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "framework/Cp1252.h"
#include "framework/LocalClock.h"
#include "framework/VirtualKeys.h"
#include "shell/DdxDialog.h"
#include "shell/WindowPainter.h"
#include "view/StarUnderPointer.h"

SkyglassViewWidget::SkyglassViewWidget(CSkyglassDoc& document, QWidget* parent)
    : QWidget(parent), m_textDrawer(TextDrawer::ForPrimaryScreen()), m_view(document, *this) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);  // moves without a button name the star under the pointer
}

void SkyglassViewWidget::Invalidate() { update(); }

bool SkyglassViewWidget::IsKeyDown(ModifierKey key) const {
  return m_eventModifiers.testFlag(key == ModifierKey::Shift ? Qt::ShiftModifier : Qt::ControlModifier);
}

int SkyglassViewWidget::LocalTimeMsWithinHour() const { return ::LocalTimeMsWithinHour(); }

bool SkyglassViewWidget::RunDialog(DialogModel& dialog) {
  DdxDialog window(dialog, this);
  return window.exec() == QDialog::Accepted;
}

void SkyglassViewWidget::DrawText(PixelBuffer& target, int x, int y, std::string_view text,
                                  uint32_t colorRef) {
  m_textDrawer.Draw(target, x, y, text, colorRef);
}

void SkyglassViewWidget::CopyToWindow(const PixelBuffer& stars) {
  if (m_windowPainter != nullptr) m_windowPainter->CopyToWindow(stars);
}

void SkyglassViewWidget::FillWindowRect(const WindowRect& rect, uint32_t colorRef) {
  if (m_windowPainter != nullptr) m_windowPainter->FillRect(rect, colorRef);
}

void SkyglassViewWidget::DrawWindowText(std::string_view text, const WindowRect& rect, uint32_t colorRef,
                                        TextBreaks breaks) {
  if (m_windowPainter != nullptr) m_windowPainter->DrawText(text, rect, colorRef, breaks);
}

bool SkyglassViewWidget::event(QEvent* event) {
  // Like the key state of the message being handled: the modifiers held when
  // this event happened, whatever the keyboard holds by the time it is read.
  if (event->isInputEvent()) m_eventModifiers = static_cast<QInputEvent*>(event)->modifiers();
  if (event->type() == QEvent::WindowBlocked) CancelDrag();  // a modal window opened
  return QWidget::event(event);
}

void SkyglassViewWidget::PaintView(QPainter& painter) {
  WindowPainter windowPainter(painter, font());
  m_windowPainter = &windowPainter;
  m_view.OnDraw();
  m_windowPainter = nullptr;
}

void SkyglassViewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintView(painter);
  if (m_travelStepUnpainted && m_travelKeyHeld) m_view.OnHeldTravelStepShown();
  m_travelStepUnpainted = false;
  UpdateStarReadout();  // a new frame may show another star under a resting pointer
}

// The same paint into an image that starts black, as the headless render's.
QImage SkyglassViewWidget::Picture() {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  PaintView(painter);
  return image;
}

void SkyglassViewWidget::resizeEvent(QResizeEvent*) { m_view.OnSize(0, width(), height()); }

void SkyglassViewWidget::DeliverPendingPress() {
  if (!m_pendingPress) return;
  const QPoint press = *m_pendingPress;
  m_pendingPress.reset();
  m_view.OnLButtonDown(press.x(), press.y());
}

void SkyglassViewWidget::SetHoverPoint(std::optional<QPoint> point) {
  m_hoverPoint = point;
  UpdateStarReadout();
}

void SkyglassViewWidget::UpdateStarReadout() {
  const QString text = DecodeCp1252(m_hoverPoint ? StarReadoutAt(m_view, m_hoverPoint->x(), m_hoverPoint->y())
                                                 : SelectionReadout(m_view));
  if (text == m_starReadout) return;
  m_starReadout = text;
  emit starReadoutChanged(text, m_hoverPoint ? mapToGlobal(*m_hoverPoint) : QPoint());
}

void SkyglassViewWidget::leaveEvent(QEvent*) { SetHoverPoint(std::nullopt); }

void SkyglassViewWidget::CancelDrag() {
  m_pendingPress.reset();
  ReleaseCapture();
}

void SkyglassViewWidget::focusOutEvent(QFocusEvent* event) {
  CancelDrag();
  QWidget::focusOutEvent(event);
}

void SkyglassViewWidget::mousePressEvent(QMouseEvent* event) {
  SetHoverPoint(std::nullopt);
  if (event->button() == Qt::LeftButton) m_pendingPress = event->position().toPoint();
}

void SkyglassViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  DeliverPendingPress();
  const QPoint at = event->position().toPoint();
  m_view.OnLButtonUp(at.x(), at.y());
}

void SkyglassViewWidget::mouseMoveEvent(QMouseEvent* event) {
  // The left button came up without a release reaching the view.
  if (!event->buttons().testFlag(Qt::LeftButton)) CancelDrag();
  DeliverPendingPress();
  const QPoint at = event->position().toPoint();
  SetHoverPoint(event->buttons() == Qt::NoButton ? std::optional<QPoint>(at) : std::nullopt);
  m_view.OnMouseMove(at.x(), at.y());
}

void SkyglassViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    m_pendingPress.reset();
    m_view.OnLButtonDblClk(at.x(), at.y());
  } else if (event->button() == Qt::RightButton) {
    m_view.OnRButtonDblClk(at.x(), at.y());
  }
}

void SkyglassViewWidget::wheelEvent(QWheelEvent* event) {
  DeliverPendingPress();  // a held left button is a drag, during which the wheel does nothing
  const QPoint at = event->position().toPoint();
  m_view.OnMouseWheel(at.x(), at.y(), event->angleDelta().y());
}

void SkyglassViewWidget::keyPressEvent(QKeyEvent* event) {
  const int key = VirtualKeyFromQt(event->key());
  const bool travel = key == kVkUp || key == kVkDown;
  // A held key's repeats before the previous step's frame is on the screen
  // add nothing to it, as unread repeats merge into one key message; a
  // press of its own is always a step. An invisible view is never painted,
  // so it never merges.
  if (travel && event->isAutoRepeat() && m_travelStepUnpainted && isVisible()) return;
  m_view.OnKeyDown(key);
  if (travel) m_travelStepUnpainted = m_travelKeyHeld = true;
}

void SkyglassViewWidget::keyReleaseEvent(QKeyEvent* event) {
  // X11 sends each auto-repeat as a release and a press; only the final release is a key-up.
  if (event->isAutoRepeat()) return;
  m_travelKeyHeld = false;
  m_view.OnKeyUp(VirtualKeyFromQt(event->key()));
}
