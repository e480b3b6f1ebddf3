// The zoom field's read-out.
#include "interaction/ZoomReadout.h"

#include <cstdio>

std::string FormatZoomReadout(double zoom) {
  const double percent = zoom * 100.0;
  // Only values inside the int range may be converted. The view's zoom is
  // always positive and finite; a NaN would show as the upper bound.
  if (!(percent < 2147483648.0)) return ">2147483647%";
  if (!(percent > -2147483649.0)) return "<-2147483648%";
  char text[16];
  std::snprintf(text, sizeof text, "%3d%%", static_cast<int>(percent));
  return text;
}
