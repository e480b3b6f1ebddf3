// Lines between points in space and lines along directions, as the view
// sees them: the point mapping of the star pass, with a line that passes
// behind the observer cut at a near plane in space, never drawn through the
// projection's flip.
#pragma once

#include "catalog/StarKernels.h"
#include "overlay/OverlayCanvas.h"
#include "render/ScreenMapping.h"

// Depth of the near plane, light years along the line of sight (63 AU):
// nearer than any star the view draws.
inline constexpr double kNearPlaneDepth = 1e-3;

// The star pass's mapping of a projected point: column x * 500 + centre,
// row y * -500 + centre.
inline ScreenPoint ToScreenPoint(double projX, double projY, const ScreenFrame& frame) {
  return {projX * kPixelsPerUnit + frame.centerX, projY * -kPixelsPerUnit + frame.centerY};
}

// The segment from a to b in space, cut to the part in front of the near
// plane and mapped to the screen; false when no part is in front.
bool ProjectSpaceLine(const Vector3D& a, const Vector3D& b, const ProjectionSetup& setup,
                      const ScreenFrame& frame, ScreenPoint& from, ScreenPoint& to);

// A direction as the view sees it from anywhere (the observer's position
// plays no part); false when it does not point in front of the observer.
bool ProjectDirection(const Vector3D& direction, const ProjectionSetup& setup, const ScreenFrame& frame,
                      ScreenPoint& point);

// The segment between two directions (each seen at unit distance), cut at
// the near plane and mapped to the screen; false when neither is in front.
bool ProjectDirectionLine(const Vector3D& a, const Vector3D& b, const ProjectionSetup& setup,
                          const ScreenFrame& frame, ScreenPoint& from, ScreenPoint& to);
