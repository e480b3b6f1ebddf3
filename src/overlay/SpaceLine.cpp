// Cutting segments at the near plane and projecting their ends.
#include "overlay/SpaceLine.h"

namespace {

// Offsets from the observer; the part of a-b with depth at least the near plane.
bool ProjectOffsets(Vector3D a, Vector3D b, const ProjectionSetup& setup, const ScreenFrame& frame,
                    ScreenPoint& from, ScreenPoint& to) {
  const double depthA = Dot(a, setup.forward);
  const double depthB = Dot(b, setup.forward);
  if (!(depthA >= kNearPlaneDepth) && !(depthB >= kNearPlaneDepth)) return false;  // both behind (or NaN)
  if (!(depthA >= kNearPlaneDepth)) a = a + (b - a) * ((kNearPlaneDepth - depthA) / (depthB - depthA));
  if (!(depthB >= kNearPlaneDepth)) b = b + (a - b) * ((kNearPlaneDepth - depthB) / (depthA - depthB));
  auto map = [&](const Vector3D& d) {
    const double depth = Dot(d, setup.forward);
    return ToScreenPoint(Dot(d, setup.scaledRight) / depth, Dot(d, setup.scaledDown) / depth, frame);
  };
  from = map(a);
  to = map(b);
  return true;
}

}  // namespace

bool ProjectSpaceLine(const Vector3D& a, const Vector3D& b, const ProjectionSetup& setup,
                      const ScreenFrame& frame, ScreenPoint& from, ScreenPoint& to) {
  return ProjectOffsets(a - setup.position, b - setup.position, setup, frame, from, to);
}

bool ProjectDirection(const Vector3D& direction, const ProjectionSetup& setup, const ScreenFrame& frame,
                      ScreenPoint& point) {
  const double depth = Dot(direction, setup.forward);
  if (!(depth > 0.0)) return false;
  point = ToScreenPoint(Dot(direction, setup.scaledRight) / depth, Dot(direction, setup.scaledDown) / depth,
                        frame);
  return true;
}

bool ProjectDirectionLine(const Vector3D& a, const Vector3D& b, const ProjectionSetup& setup,
                          const ScreenFrame& frame, ScreenPoint& from, ScreenPoint& to) {
  return ProjectOffsets(a, b, setup, frame, from, to);
}
