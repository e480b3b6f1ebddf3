// ComputeBasis: forward from the two angles, right from yaw alone, down as
// right x forward. right.y is zero: down.x leaves its term out, down.z keeps
// it (a product with zero, which changes nothing).
#include "geometry/ViewBasis.h"

#include <cmath>

void ComputeBasis(double yaw, double pitch, Vector3D& forward, Vector3D& right, Vector3D& down) {
  forward.x = std::sin(yaw) * std::cos(pitch);
  forward.y = std::sin(pitch);
  forward.z = std::cos(yaw) * std::cos(pitch);

  const double a = yaw + BasisYawOffset;
  right.x = std::sin(a);
  right.y = 0.0;
  right.z = std::cos(a);

  down.x = -(right.z * forward.y);
  down.y = right.z * forward.x - forward.z * right.x;
  down.z = forward.y * right.x - right.y * forward.x;
}
