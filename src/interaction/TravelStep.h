// The arithmetic of keyboard travel: how far one press of Up or Down flies,
// and whether it came too soon after the previous one to recompute the
// magnitudes.
#pragma once

#include "geometry/Vector3D.h"

// The observer's position after one press: 0.2, 10 or 2 light years along
// forward (a unit vector), forwards for Up and backwards for Down; Shift
// wins over Ctrl.
Vector3D TravelledPosition(const Vector3D& position, const Vector3D& forward, bool up, bool shift,
                           bool control);

// Whether a press at nowMs follows the previous one at previousMs (both
// milliseconds within the hour) by less than toleranceMs. The clock
// restarts every hour, so a press just after the hour (or after the clock
// was set back) gives a negative difference: too soon.
bool TravelPressTooSoon(int nowMs, int previousMs, int toleranceMs);
