// Keyboard travel steps and the magnitude tolerance test between presses.
#include "interaction/TravelStep.h"

#include <cstdint>

Vector3D TravelledPosition(const Vector3D& position, const Vector3D& forward, bool up, bool shift,
                           bool control) {
  const Vector3D step = shift ? forward / 5.0 : control ? forward * 10.0 : forward * 2.0;
  return up ? position + step : position - step;
}

bool TravelPressTooSoon(int nowMs, int previousMs, int toleranceMs) {
  // The difference is taken in 64 bits, so no clock value can overflow it.
  return int64_t{nowMs} - previousMs < toleranceMs;
}
