// Perspective projection of one point for an observer. The zoom enters only
// through the scaled right and down vectors.
#pragma once

#include "geometry/Vector3D.h"

struct ProjectedPoint {
  double x;
  double y;
};

// Returns false, writing nothing, when the point is not strictly in front of
// the observer (depth 0, negative or not a number).
inline bool ProjectPoint(const Vector3D& point, const Vector3D& observer, const Vector3D& forward,
                         const Vector3D& scaledRight, const Vector3D& scaledDown, ProjectedPoint& out) {
  const Vector3D d = point - observer;
  const double depth = Dot(d, forward);
  if (!(depth > 0.0)) return false;
  out.x = Dot(d, scaledRight) / depth;
  out.y = Dot(d, scaledDown) / depth;
  return true;
}

// Squared distance in the summation order d.x*d.x + (d.y*d.y + d.z*d.z).
inline double SquaredDistance(const Vector3D& point, const Vector3D& observer) {
  const Vector3D d = point - observer;
  return Dot(d, d);
}
