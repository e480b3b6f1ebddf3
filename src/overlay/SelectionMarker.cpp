// Placing and drawing the selection marker.
#include "overlay/SelectionMarker.h"

#include <algorithm>
#include <cmath>

#include "geometry/Projection.h"
#include "overlay/SpaceLine.h"

MarkerPlacement PlaceSelectionMarker(const Vector3D& star, const ProjectionSetup& setup,
                                     const ScreenFrame& frame) {
  MarkerPlacement placement;
  const Vector3D d = star - setup.position;
  if (!(Dot(d, d) >= kNearestDrawnDistance * kNearestDrawnDistance) || frame.width <= 0 || frame.height <= 0)
    return placement;
  ProjectedPoint projected{};
  if (ProjectPoint(star, setup.position, setup.forward, setup.scaledRight, setup.scaledDown, projected)) {
    int32_t x = 0;
    int32_t r = 0;
    if (ToScreenCoordinate(projected.x, kPixelsPerUnit, frame.centerX, x) &&
        ToScreenCoordinate(projected.y, -kPixelsPerUnit, frame.centerY, r) && x >= 0 && r >= 0 &&
        x < frame.width && r < frame.height) {
      placement.kind = MarkerPlacement::Kind::AroundStar;
      placement.x = x;
      placement.r = r;
      return placement;
    }
  }
  // The way to turn: right and up as the view sees them, whichever side of the observer the star is on.
  double towardsX = Dot(d, setup.scaledRight);
  double towardsR = -Dot(d, setup.scaledDown);
  const double length = std::hypot(towardsX, towardsR);
  // Straight behind, give or take the basis's rounding, any way is as good: point down.
  if (!(length > 1e-9 * std::sqrt(Dot(d, d))) || !std::isfinite(length)) {
    towardsX = 0.0;
    towardsR = -1.0;
  } else {
    towardsX /= length;
    towardsR /= length;
  }
  // From the centre along the direction to the rectangle kEdgeArrowInset inside the edges.
  const double halfX = std::max(0.0, frame.width / 2.0 - kEdgeArrowInset);
  const double halfR = std::max(0.0, frame.height / 2.0 - kEdgeArrowInset);
  const double reachX = towardsX != 0.0 ? halfX / std::fabs(towardsX) : INFINITY;
  const double reachR = towardsR != 0.0 ? halfR / std::fabs(towardsR) : INFINITY;
  const double reach = std::min(reachX, reachR);
  placement.kind = MarkerPlacement::Kind::AtEdge;
  placement.x = std::clamp(static_cast<int>(frame.width / 2.0 + towardsX * reach), 0, frame.width - 1);
  placement.r = std::clamp(static_cast<int>(frame.height / 2.0 + towardsR * reach), 0, frame.height - 1);
  placement.towardsX = towardsX;
  placement.towardsR = towardsR;
  return placement;
}

void DrawSelectionMarker(const MarkerPlacement& placement, OverlayCanvas& canvas) {
  const double x = placement.x + 0.5;  // pixel centres
  const double r = placement.r + 0.5;
  if (placement.kind == MarkerPlacement::Kind::AroundStar) {
    // Four corner brackets, each two arms of three pixels.
    constexpr double kArm = 3.0;
    for (const int sx : {-1, 1})
      for (const int sr : {-1, 1}) {
        const ScreenPoint corner{x + sx * kMarkerRadius, r + sr * kMarkerRadius};
        canvas.Line(corner, {corner.column - sx * kArm, corner.row}, kMarkerColour);
        canvas.Line(corner, {corner.column, corner.row - sr * kArm}, kMarkerColour);
      }
    return;
  }
  if (placement.kind != MarkerPlacement::Kind::AtEdge) return;
  // An arrow head at the tip and a shaft behind it.
  constexpr double kHead = 7.0;
  constexpr double kShaft = 14.0;
  const double ux = placement.towardsX;
  const double ur = placement.towardsR;
  const ScreenPoint tip{x, r};
  const double c = std::cos(0.5);  // the head's half-angle, about 29 degrees
  const double s = std::sin(0.5);
  canvas.Line(tip, {x - kHead * (ux * c - ur * s), r - kHead * (ur * c + ux * s)}, kMarkerColour);
  canvas.Line(tip, {x - kHead * (ux * c + ur * s), r - kHead * (ur * c - ux * s)}, kMarkerColour);
  canvas.Line(tip, {x - kShaft * ux, r - kShaft * ur}, kMarkerColour);
}
