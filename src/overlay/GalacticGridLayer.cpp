// The grid's lines, each a chain of short arcs between directions 2 degrees
// apart, worked out once.
#include "overlay/GalacticGridLayer.h"

#include <cmath>
#include <string>

#include "overlay/SpaceLine.h"

namespace {

constexpr int kSpacingDegrees = 30;
constexpr int kStepDegrees = 2;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// The chain of directions from (l0, b0) in steps of (dl, db), steps long.
std::vector<Vector3D> Chain(double l0, double b0, double dl, double db, int steps) {
  std::vector<Vector3D> directions;
  for (int i = 0; i <= steps; ++i) directions.push_back(GalacticDirection(l0 + dl * i, b0 + db * i));
  return directions;
}

}  // namespace

Vector3D GalacticDirection(double longitudeDegrees, double latitudeDegrees) {
  const double l = longitudeDegrees * kRadiansPerDegree;
  const double b = latitudeDegrees * kRadiansPerDegree;
  // Galactic (cos b cos l, cos b sin l, sin b) towards (centre, l = 90, pole) is the map's (-y', z', x').
  return Vector3D(-(std::cos(b) * std::sin(l)), std::sin(b), std::cos(b) * std::cos(l));
}

GalacticGridLayer::GalacticGridLayer() {
  constexpr int kAround = 360 / kStepDegrees;
  constexpr int kPoleToPole = 180 / kStepDegrees;
  for (int l = 0; l < 360; l += kSpacingDegrees)
    m_lines.push_back({Chain(l, -90.0, 0.0, kStepDegrees, kPoleToPole), kGridLineColour});
  for (int b = -90 + kSpacingDegrees; b < 90; b += kSpacingDegrees)
    if (b != 0) m_lines.push_back({Chain(0.0, b, kStepDegrees, 0.0, kAround), kGridLineColour});
  m_lines.push_back({Chain(0.0, 0.0, kStepDegrees, 0.0, kAround), kGridEquatorColour});
}

void GalacticGridLayer::DrawLines(const ProjectionSetup& setup, const ScreenFrame& frame,
                                  OverlayCanvas& canvas) const {
  for (const GridLine& line : m_lines)
    for (size_t i = 1; i < line.directions.size(); ++i) {
      ScreenPoint from{};
      ScreenPoint to{};
      if (ProjectDirectionLine(line.directions[i - 1], line.directions[i], setup, frame, from, to))
        canvas.Line(from, to, line.colour);
    }
}

int GalacticGridLayer::DrawLabels(const ProjectionSetup& setup, const ScreenFrame& frame,
                                  ViewPlatform& platform, OverlayCanvas& canvas) const {
  int drawn = 0;
  for (int l = 0; l < 360; l += 90) {
    ScreenPoint at{};
    if (!ProjectDirection(GalacticDirection(l, 0.0), setup, frame, at)) continue;
    // The label line counts from the top: centre + 500 y where the row is centre - 500 y.
    const double line = 2.0 * frame.centerY - at.row;
    if (!(at.column >= 0.0 && at.column < frame.width && line >= 0.0 && line < frame.height)) continue;
    const std::string text = "l " + std::to_string(l) + "\xB0";
    canvas.Text(platform, static_cast<int>(at.column) + 2, static_cast<int>(line) + 2, text,
                kGridLabelColorRef);
    ++drawn;
  }
  return drawn;
}
