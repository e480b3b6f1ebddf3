// Mouse look and double-click zoom: dragging with the left button turns the
// line of sight, double-clicks scale the zoom factor. Neither moves the
// observer, so the magnitudes stay as they are.
#include <cmath>
#include <cstdint>
#include <optional>

#include "geometry/ViewBasis.h"
#include "render/SkyglassView.h"

namespace {

constexpr double kTurnRate = 0.01;               // radians of yaw per pixel at zoom 1
constexpr double kPitchRate = -0.01;             // radians of pitch per pixel; dragging down looks down
constexpr double kYawPeriod = 6.2831853071796;   // a little above 2 pi
constexpr double kPitchLimit = 1.5707963267949;  // a little beyond pi / 2

struct ZoomFactors {
  double plain;
  double control;
  double shift;
};
constexpr ZoomFactors kZoomIn{1.4, 2.0, 1.1};
// The doubles nearest 1 / 1.4 and 1 / 1.1, so that in and out cancel exactly.
constexpr ZoomFactors kZoomOut{0.7142857142857143, 0.5, 0.9090909090909091};

// The zoom after one double-click; Shift wins over Ctrl. No value when the
// product would leave the positive finite numbers (after thousands of clicks).
std::optional<double> ZoomedBy(double zoom, const ZoomFactors& factors, const ViewPlatform& platform) {
  double factor = factors.plain;
  if (platform.IsKeyDown(ModifierKey::Shift))
    factor = factors.shift;
  else if (platform.IsKeyDown(ModifierKey::Control))
    factor = factors.control;
  const double zoomed = zoom * factor;
  if (!std::isfinite(zoomed) || !(zoomed > 0.0)) return std::nullopt;
  return zoomed;
}

}  // namespace

void CSkyglassView::OnLButtonDown(int x, int y) {
  m_platform.SetCapture();
  m_ptDragAnchor = {x, y};
}

void CSkyglassView::OnMouseMove(int x, int y) {
  if (!m_platform.HasCapture()) return;  // no drag in progress
  // Differences in 64 bits: no overflow whatever the pointer coordinates.
  const double dx = static_cast<double>(int64_t{x} - m_ptDragAnchor.x);
  const double dy = static_cast<double>(int64_t{y} - m_ptDragAnchor.y);
  m_ptDragAnchor = {x, y};
  // Division first, then the rate: the zoomed-in view turns more slowly.
  double yaw = m_dYaw + (dx / m_dZoom) * kTurnRate;
  double pitch = m_dPitch + (dy / m_dZoom) * kPitchRate;
  // One wrap and one clamp test each, in this order.
  if (yaw < 0.0) yaw = yaw + kYawPeriod;
  if (yaw > kYawPeriod) yaw = yaw - kYawPeriod;
  if (pitch < -kPitchLimit) pitch = -kPitchLimit;
  if (pitch > kPitchLimit) pitch = kPitchLimit;
  // At a vanishing zoom a step can overflow; the view then keeps its angles.
  if (!std::isfinite(yaw) || !std::isfinite(pitch)) return;
  m_dYaw = yaw;
  m_dPitch = pitch;
  ComputeBasis(m_dYaw, m_dPitch, m_vForward, m_vRight, m_vDown);
  RedrawAll();
}

void CSkyglassView::OnLButtonUp(int /*x*/, int /*y*/) {
  if (m_platform.HasCapture()) m_platform.ReleaseCapture();
}

void CSkyglassView::OnLButtonDblClk(int /*x*/, int /*y*/) {
  if (const std::optional<double> zoom = ZoomedBy(m_dZoom, kZoomIn, m_platform)) {
    m_dZoom = *zoom;
    RedrawAll();
  }
}

void CSkyglassView::OnRButtonDblClk(int /*x*/, int /*y*/) {
  if (const std::optional<double> zoom = ZoomedBy(m_dZoom, kZoomOut, m_platform)) {
    m_dZoom = *zoom;
    RedrawAll();
  }
}
