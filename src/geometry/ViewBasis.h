// The observer's orientation: line of sight and the screen's right and down
// directions, computed from yaw and pitch (radians). Yaw 0, pitch 0 looks
// along +z with +x to the right and -y downwards.
#pragma once

#include "geometry/Vector3D.h"

// The double nearest 1.5707963267949: 16 units in the last place above the
// double nearest pi/2, which is why cos(BasisYawOffset) is about -3.49e-15.
inline constexpr double BasisYawOffset = 1.5707963267949;

struct ViewBasis {
  Vector3D forward;
  Vector3D right;
  Vector3D down;
};

// Overwrites forward, right and down completely. Accepts any finite angles;
// it neither wraps nor clamps them.
void ComputeBasis(double yaw, double pitch, Vector3D& forward, Vector3D& right, Vector3D& down);

inline ViewBasis ComputeBasis(double yaw, double pitch) {
  ViewBasis basis;
  ComputeBasis(yaw, pitch, basis.forward, basis.right, basis.down);
  return basis;
}
