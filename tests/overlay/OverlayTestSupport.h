// Helpers for the overlay tests: an observer looking at a point, a canvas
// over an empty star frame, and the pixels a drawing lit.
#pragma once

#include <cmath>
#include <cstring>
#include <vector>

#include "catalog/StarCatalog.h"
#include "catalog/StarKernels.h"
#include "geometry/Projection.h"
#include "geometry/ViewBasis.h"
#include "interaction/LookAngles.h"
#include "overlay/OverlayCanvas.h"
#include "render/DrawnStarMap.h"
#include "render/ScreenMapping.h"
#include "render/StarFrame.h"

// The view's setup for an observer at position looking towards target.
inline ProjectionSetup LookingAt(const Vector3D& position, const Vector3D& target, double zoom = 1.0) {
  double yaw = 0.0;
  double pitch = 0.0;
  LookAnglesTowards(target - position, yaw, pitch);
  ProjectionSetup setup{position, {}, {}, {}};
  ComputeBasis(yaw, pitch, setup.forward, setup.scaledRight, setup.scaledDown);
  setup.scaledRight = setup.scaledRight * zoom;
  setup.scaledDown = setup.scaledDown * zoom;
  return setup;
}

inline ScreenFrame FrameOfSize(int width, int height) { return {width, height, width >> 1, height >> 1}; }

// Where the star pass draws a point: false when it is not on the screen.
inline bool StarPixel(const Vector3D& point, const ProjectionSetup& setup, const ScreenFrame& frame, int& x,
                      int& r) {
  ProjectedPoint p{};
  int32_t cx = 0;
  int32_t cr = 0;
  if (!ProjectPoint(point, setup.position, setup.forward, setup.scaledRight, setup.scaledDown, p) ||
      !ToScreenCoordinate(p.x, kPixelsPerUnit, frame.centerX, cx) ||
      !ToScreenCoordinate(p.y, -kPixelsPerUnit, frame.centerY, cr) || cx < 0 || cr < 0 || cx >= frame.width ||
      cr >= frame.height)
    return false;
  x = cx;
  r = cr;
  return true;
}

// A star buffer in a star frame showing no star, and a canvas drawing into it.
struct CanvasFixture {
  explicit CanvasFixture(const ScreenFrame& frame) : stars(frame.width, frame.height) {}
  // The words lit, in buffer order.
  std::vector<uint32_t> Lit() const {
    std::vector<uint32_t> lit;
    for (size_t w = 0; w < stars.words.size(); ++w)
      if (stars.words[w] != 0) lit.push_back(static_cast<uint32_t>(w));
    return lit;
  }
  static StarFrame& Attached(StarFrame& frame, PixelBuffer& pixels) {
    frame.Attach(pixels);
    return frame;
  }
  PixelBuffer stars;
  StarFrame starFrame;
  OverlayCanvas canvas{Attached(starFrame, stars), stars.width, stars.height, nullptr};
};

// Distance from pixel (x, r)'s centre to the segment a-b.
inline double DistanceToSegment(int x, int r, ScreenPoint a, ScreenPoint b) {
  const double px = x + 0.5 - a.column;
  const double pr = r + 0.5 - a.row;
  const double dx = b.column - a.column;
  const double dr = b.row - a.row;
  const double length2 = dx * dx + dr * dr;
  const double t = length2 > 0.0 ? std::fmax(0.0, std::fmin(1.0, (px * dx + pr * dr) / length2)) : 0.0;
  return std::hypot(px - t * dx, pr - t * dr);
}
