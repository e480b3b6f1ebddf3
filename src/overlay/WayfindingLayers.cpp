// The overlays' draw steps in order.
#include "overlay/WayfindingLayers.h"

#include "overlay/SelectionMarker.h"

void WayfindingLayers::Draw(const WayfindingFrame& shown, ViewPlatform& platform, StarFrame& frame,
                            const PixelBuffer* labels) {
  const bool selected = shown.selectedStar >= 0 && shown.selectedStar < shown.catalog.m_nStars;
  const bool figures = shown.figures && m_figures.HasFigures();
  if (!shown.grid && !figures && !selected) return;
  OverlayCanvas canvas(frame, shown.frame.width, shown.frame.height, labels);
  if (shown.grid) m_grid.DrawLines(shown.setup, shown.frame, canvas);
  if (figures) m_figures.DrawLines(shown.catalog, shown.setup, shown.frame, canvas);
  if (shown.grid) m_grid.DrawLabels(shown.setup, shown.frame, platform, canvas);
  if (figures && shown.figureNames)
    m_figures.DrawNames(shown.catalog, shown.setup, shown.frame, platform, canvas);
  if (selected)
    DrawSelectionMarker(
        PlaceSelectionMarker(shown.catalog.m_pStars[shown.selectedStar].vPos, shown.setup, shown.frame),
        canvas);
}
