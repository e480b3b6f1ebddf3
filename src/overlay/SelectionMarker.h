// The selected star's marker: corner brackets around the star where it
// projects into the view (drawn or too faint to draw), else an arrow at the
// view's edge pointing the way to turn to it, also when it is behind.
#pragma once

#include "catalog/StarKernels.h"
#include "overlay/OverlayCanvas.h"
#include "render/ScreenMapping.h"

inline constexpr uint16_t kMarkerColour = (31 << 10) | (31 << 5) | 0;  // yellow
inline constexpr int kMarkerRadius = 6;    // pixels from the star to the brackets' corners
inline constexpr int kEdgeArrowInset = 8;  // pixels from the arrow's tip to the view's edge

struct MarkerPlacement {
  enum class Kind { None, AroundStar, AtEdge };
  Kind kind = Kind::None;
  int x = 0;  // the star's pixel, or the arrow's tip: column and memory row
  int r = 0;
  double towardsX = 0.0;  // AtEdge: unit direction to the star, columns and rows (upwards)
  double towardsR = 0.0;
};

// None when the observer stands at the star (nearer than the star pass draws).
MarkerPlacement PlaceSelectionMarker(const Vector3D& star, const ProjectionSetup& setup,
                                     const ScreenFrame& frame);
void DrawSelectionMarker(const MarkerPlacement& placement, OverlayCanvas& canvas);
