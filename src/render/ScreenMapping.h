// The screen mapping shared by the star and label passes: a projected
// coordinate times the fixed scale of 500 pixels per unit, plus the view's
// centre, truncated to a 32-bit pixel coordinate.
#pragma once

#include <cstdint>

#include "catalog/MagnitudeClass.h"

// The view's pixel size and centre, as the passes need them.
struct ScreenFrame {
  int width;
  int height;
  int centerX;
  int centerY;
};

inline constexpr double kPixelsPerUnit = 500.0;

// trunc(projected * scale + centre). False when the sum is not a number or
// lies outside the 32-bit range: such a position is off the screen.
inline bool ToScreenCoordinate(double projected, double scale, int center, int32_t& out) {
  const double value = projected * scale + center;
  if (!(value > -2147483649.0 && value < 2147483648.0)) return false;  // truncation stays in range
  out = static_cast<int32_t>(value);
  return true;
}
