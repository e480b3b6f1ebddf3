// The view's mouse handlers: dragging with the left button turns the line of
// sight, a click without turning selects a star (or clears the selection),
// double-clicks and wheel notches scale the zoom factor (the arithmetic is in
// interaction/DragLook and interaction/WheelNotches). None of them moves the
// observer, so the magnitudes stay as they are.
#include <cstdint>
#include <optional>

#include "interaction/DragLook.h"
#include "view/SkyglassView.h"
#include "view/StarUnderPointer.h"

void CSkyglassView::OnLButtonDown(int x, int y) {
  m_platform.SetCapture();
  m_ptDragAnchor = {x, y};
  m_bTurnedSinceDown = 0;
}

void CSkyglassView::OnMouseMove(int x, int y) {
  if (!m_platform.HasCapture()) return;  // no drag in progress
  // Differences in 64 bits: no overflow whatever the pointer coordinates.
  const double dx = static_cast<double>(int64_t{x} - m_ptDragAnchor.x);
  const double dy = static_cast<double>(int64_t{y} - m_ptDragAnchor.y);
  m_ptDragAnchor = {x, y};
  if (dx != 0.0 || dy != 0.0) m_bTurnedSinceDown = 1;
  // At a vanishing zoom a step can overflow; the view then keeps its angles.
  const std::optional<LookAngles> angles = DraggedAngles(m_dYaw, m_dPitch, dx, dy, m_dZoom);
  if (!angles) return;
  SetLookAngles(angles->yaw, angles->pitch);
  RedrawAll();
}

// A press and release without turning is a click: it selects the star the
// pointer names, or clears the selection on empty sky.
void CSkyglassView::OnLButtonUp(int x, int y) {
  if (!m_platform.HasCapture()) return;
  m_platform.ReleaseCapture();
  if (m_bTurnedSinceDown == 0) Select(PickStarAt(*this, x, y));
}

void CSkyglassView::OnLButtonDblClk(int /*x*/, int /*y*/) { ZoomByDoubleClick(true); }

void CSkyglassView::OnRButtonDblClk(int /*x*/, int /*y*/) { ZoomByDoubleClick(false); }

void CSkyglassView::OnMouseWheel(int /*x*/, int /*y*/, int angleDelta) {
  if (m_platform.HasCapture()) {
    m_wheelNotches.Reset();
    return;
  }
  const int64_t notches = m_wheelNotches.Add(angleDelta);
  const bool zoomIn = notches > 0;
  // A huge turn stops at the first step that leaves the zoom as it was: at
  // the largest factor, or at the smallest, which rounds back to itself.
  for (int64_t step = 0; step < (zoomIn ? notches : -notches); ++step) {
    const double before = m_dZoom;
    ZoomByDoubleClick(zoomIn);
    if (m_dZoom == before) break;
  }
}

void CSkyglassView::ZoomByDoubleClick(bool zoomIn) {
  const bool shift = m_platform.IsKeyDown(ModifierKey::Shift);
  const bool control = m_platform.IsKeyDown(ModifierKey::Control);
  if (const std::optional<double> zoom = DoubleClickZoom(m_dZoom, zoomIn, shift, control)) {
    m_dZoom = *zoom;
    RedrawAll();
  }
}
