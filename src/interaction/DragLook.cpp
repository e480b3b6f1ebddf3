// Mouse look: dragging turns the line of sight, slower when zoomed in;
// double-clicks scale the zoom factor.
#include "interaction/DragLook.h"

#include <cmath>

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

}  // namespace

std::optional<LookAngles> DraggedAngles(double yaw, double pitch, double dx, double dy, double zoom) {
  // Division first, then the rate: the zoomed-in view turns more slowly.
  yaw = yaw + (dx / zoom) * kTurnRate;
  pitch = pitch + (dy / zoom) * kPitchRate;
  // One wrap and one clamp test each, in this order.
  if (yaw < 0.0) yaw = yaw + kYawPeriod;
  if (yaw > kYawPeriod) yaw = yaw - kYawPeriod;
  if (pitch < -kPitchLimit) pitch = -kPitchLimit;
  if (pitch > kPitchLimit) pitch = kPitchLimit;
  if (!std::isfinite(yaw) || !std::isfinite(pitch)) return std::nullopt;
  return LookAngles{yaw, pitch};
}

std::optional<double> DoubleClickZoom(double zoom, bool zoomIn, bool shift, bool control) {
  const ZoomFactors& factors = zoomIn ? kZoomIn : kZoomOut;
  double factor = factors.plain;
  if (shift)
    factor = factors.shift;
  else if (control)
    factor = factors.control;
  const double zoomed = zoom * factor;
  if (!std::isfinite(zoomed) || !(zoomed > 0.0)) return std::nullopt;
  return zoomed;
}
