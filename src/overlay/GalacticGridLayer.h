// GalacticGridLayer: lines of galactic latitude and longitude every 30
// degrees, drawn as directions, so that they turn with the view and stay put
// while the observer travels; the equator brighter, and "l 0°", "l 90°",
// "l 180°", "l 270°" written where it meets those longitudes. The map's frame
// is galactic: +z towards l = 0, b = 0, +y to the north galactic pole, +x
// towards l = 270.
#pragma once

#include <cstdint>
#include <vector>

#include "catalog/StarKernels.h"
#include "overlay/OverlayCanvas.h"
#include "render/ScreenMapping.h"
#include "render/ViewPlatform.h"

inline constexpr uint16_t kGridLineColour = (7 << 10) | (4 << 5) | 4;
inline constexpr uint16_t kGridEquatorColour = (16 << 10) | (9 << 5) | 8;
inline constexpr uint32_t kGridLabelColorRef = 0x5060C0;

// The map's direction of galactic longitude l and latitude b, in degrees.
Vector3D GalacticDirection(double longitudeDegrees, double latitudeDegrees);

class GalacticGridLayer {
 public:
  GalacticGridLayer();

  void DrawLines(const ProjectionSetup& setup, const ScreenFrame& frame, OverlayCanvas& canvas) const;
  // Returns the number of texts drawn.
  int DrawLabels(const ProjectionSetup& setup, const ScreenFrame& frame, ViewPlatform& platform,
                 OverlayCanvas& canvas) const;

 private:
  // A line of the grid: its directions, 2 degrees apart, and its colour.
  struct GridLine {
    std::vector<Vector3D> directions;
    uint16_t colour;
  };
  std::vector<GridLine> m_lines;  // the meridians, the parallels, the equator last (over the meridians)
};
