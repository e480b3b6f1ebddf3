// The status bar's observer pane: where the observer stands and where they
// look, "x 12.3 y -4.0 z 88.1 ly   U 154.9 V -14.2", position in light years
// and angles in degrees, one decimal each, U wrapped into 0..360.
#pragma once

#include <string>

struct Vector3D;

std::string FormatObserverReadout(const Vector3D& position, double yaw, double pitch);
