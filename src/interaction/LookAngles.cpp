// Viewing angles towards a direction, with asin's arguments kept in range.
#include "interaction/LookAngles.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kHalfTurn = 3.1415926535898;

// Rounding can push a sine a hair beyond +-1, where asin has no value.
double ClampedAsin(double sine) { return std::asin(std::clamp(sine, -1.0, 1.0)); }
}  // namespace

bool LookAnglesTowards(Vector3D d, double& yaw, double& pitch) {
  if (d.x == 0.0 && d.y == 0.0 && d.z == 0.0) return false;  // looking from the target itself
  d.Normalize();
  // A length whose square overflows or underflows leaves a zero vector or
  // infinities instead of a unit vector.
  if (!std::isfinite(d.x) || !std::isfinite(d.y) || !std::isfinite(d.z)) return false;
  if (d.x == 0.0 && d.y == 0.0 && d.z == 0.0) return false;
  const double newPitch = ClampedAsin(d.y);
  double newYaw = ClampedAsin(d.x / std::cos(newPitch));
  if (d.z < 0.0) newYaw = kHalfTurn - newYaw;  // behind: the other solution of sin yaw = ...
  pitch = newPitch;
  yaw = newYaw;
  return true;
}
