// The arithmetic of mouse look: the viewing angles after a drag step and the
// zoom after a double-click. Neither moves the observer.
#pragma once

#include <optional>

struct LookAngles {
  double yaw;
  double pitch;
};

// The angles after the pointer moved by (dx, dy) pixels while dragging at
// zoom: yaw wrapped once into 0..2pi, pitch clamped to +-pi/2 (each a little
// beyond). No value when a step at a vanishing zoom overflows.
std::optional<LookAngles> DraggedAngles(double yaw, double pitch, double dx, double dy, double zoom);

// The zoom after one double-click, in or out; Shift wins over Ctrl. No
// value when the product would leave the positive finite numbers (after
// thousands of clicks).
std::optional<double> DoubleClickZoom(double zoom, bool zoomIn, bool shift, bool control);
