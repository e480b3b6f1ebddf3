// Text of the observer pane.
#include "interaction/ObserverReadout.h"

#include <cmath>

#include "geometry/Vector3D.h"
#include "interaction/AngleUnits.h"
#include "interaction/FixedDecimals.h"

namespace {

// The yaw in degrees, brought into 0..360: looking at a star can leave it
// negative, and a drag step can leave it just beyond a full turn.
double WrappedDegrees(double yaw) {
  double degrees = std::fmod(yaw * kRadiansToDegrees, 360.0);
  if (degrees < 0.0) degrees += 360.0;
  return degrees;
}

}  // namespace

std::string FormatObserverReadout(const Vector3D& position, double yaw, double pitch) {
  return "x " + FixedDecimals(position.x, 1) + " y " + FixedDecimals(position.y, 1) + " z " +
         FixedDecimals(position.z, 1) + " ly   U " + FixedDecimals(WrappedDegrees(yaw), 1) + " V " +
         FixedDecimals(pitch * kRadiansToDegrees, 1);
}
