// WayfindingLayers: the overlays that help find one's way (the galactic
// grid, the constellation figures and the selected star's marker) in the
// order the paint draws them, lines first, then texts and the marker. They
// are drawn into the star frame once the stars and their labels are, where
// neither is (see OverlayCanvas).
#pragma once

#include <cstdint>

#include "catalog/StarCatalog.h"
#include "overlay/FigureLayer.h"
#include "overlay/GalacticGridLayer.h"
#include "overlay/OverlayCanvas.h"

// What one frame of the overlays shows.
struct WayfindingFrame {
  const StarCatalog& catalog;
  ProjectionSetup setup;
  ScreenFrame frame;
  bool grid;
  bool figures;
  bool figureNames;
  int32_t selectedStar;  // a catalogue index, or -1
};

class WayfindingLayers {
 public:
  FigureLayer& Figures() { return m_figures; }
  const FigureLayer& Figures() const { return m_figures; }

  // Everything shown, after the stars (in frame) and their labels (null: none drawn).
  void Draw(const WayfindingFrame& shown, ViewPlatform& platform, StarFrame& frame,
            const PixelBuffer* labels);

 private:
  GalacticGridLayer m_grid;
  FigureLayer m_figures;
};
