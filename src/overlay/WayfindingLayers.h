// WayfindingLayers: the overlays that help find one's way (the galactic
// grid, the constellation figures and the selected star's marker) in the
// order the paint draws them. Their texts go into the label buffer before the
// star labels; their pixels into the star frame after the stars and labels
// are drawn, where neither is (see OverlayCanvas).
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

  // The grid's longitudes and the figures' names; returns the number of texts drawn.
  int DrawTexts(const WayfindingFrame& shown, ViewPlatform& platform, PixelBuffer& labels);
  // The lines and the marker, after the stars (in frame) and the labels (null: none drawn).
  void DrawLines(const WayfindingFrame& shown, StarFrame& frame, const PixelBuffer* labels);

 private:
  GalacticGridLayer m_grid;
  FigureLayer m_figures;
};
