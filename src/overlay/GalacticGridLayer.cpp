// The grid's lines, each a chain of short arcs between directions 2 degrees apart.
#include "overlay/GalacticGridLayer.h"

#include <cmath>
#include <string>

#include "overlay/SpaceLine.h"

namespace {

constexpr int kSpacingDegrees = 30;
constexpr int kStepDegrees = 2;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// The chain of directions from (l0, b0) in steps of (dl, db), steps long.
void DrawChain(double l0, double b0, double dl, double db, int steps, uint16_t colour,
               const ProjectionSetup& setup, const ScreenFrame& frame, OverlayCanvas& canvas) {
  Vector3D previous = GalacticDirection(l0, b0);
  for (int i = 1; i <= steps; ++i) {
    const Vector3D next = GalacticDirection(l0 + dl * i, b0 + db * i);
    ScreenPoint from{};
    ScreenPoint to{};
    if (ProjectDirectionLine(previous, next, setup, frame, from, to)) canvas.Line(from, to, colour);
    previous = next;
  }
}

}  // namespace

Vector3D GalacticDirection(double longitudeDegrees, double latitudeDegrees) {
  const double l = longitudeDegrees * kRadiansPerDegree;
  const double b = latitudeDegrees * kRadiansPerDegree;
  // Galactic (cos b cos l, cos b sin l, sin b) towards (centre, l = 90, pole) is the map's (-y', z', x').
  return Vector3D(-(std::cos(b) * std::sin(l)), std::sin(b), std::cos(b) * std::cos(l));
}

void GalacticGridLayer::DrawLines(const ProjectionSetup& setup, const ScreenFrame& frame,
                                  OverlayCanvas& canvas) const {
  constexpr int kAround = 360 / kStepDegrees;
  constexpr int kPoleToPole = 180 / kStepDegrees;
  for (int l = 0; l < 360; l += kSpacingDegrees)
    DrawChain(l, -90.0, 0.0, kStepDegrees, kPoleToPole, kGridLineColour, setup, frame, canvas);
  for (int b = -90 + kSpacingDegrees; b < 90; b += kSpacingDegrees)
    if (b != 0) DrawChain(0.0, b, kStepDegrees, 0.0, kAround, kGridLineColour, setup, frame, canvas);
  // The equator last, over the meridians it crosses.
  DrawChain(0.0, 0.0, kStepDegrees, 0.0, kAround, kGridEquatorColour, setup, frame, canvas);
}

int GalacticGridLayer::DrawLabels(const ProjectionSetup& setup, const ScreenFrame& frame,
                                  ViewPlatform& platform, PixelBuffer& labels) const {
  int drawn = 0;
  for (int l = 0; l < 360; l += 90) {
    ScreenPoint at{};
    if (!ProjectDirection(GalacticDirection(l, 0.0), setup, frame, at)) continue;
    // The label line counts from the top: centre + 500 y where the row is centre - 500 y.
    const double line = 2.0 * frame.centerY - at.row;
    if (!(at.column >= 0.0 && at.column < frame.width && line >= 0.0 && line < frame.height)) continue;
    const std::string text = "l " + std::to_string(l) + "\xB0";
    platform.DrawText(labels, static_cast<int>(at.column) + 2, static_cast<int>(line) + 2, text,
                      kGridLabelColorRef);
    ++drawn;
  }
  return drawn;
}
