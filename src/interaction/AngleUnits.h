// The factors between the view's angles (radians) and the degrees users see
// and type. Neither is the double nearest its exact value; their product is
// exactly 1.0.
#pragma once

inline constexpr double kRadiansToDegrees = 57.295779513093144;
inline constexpr double kDegreesToRadians = 0.01745329251994;
