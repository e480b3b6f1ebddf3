// The overlays' draw steps in order.
#include "overlay/WayfindingLayers.h"

#include "overlay/SelectionMarker.h"

int WayfindingLayers::DrawTexts(const WayfindingFrame& shown, ViewPlatform& platform, PixelBuffer& labels) {
  int texts = 0;
  if (shown.grid) texts += m_grid.DrawLabels(shown.setup, shown.frame, platform, labels);
  if (shown.figures && shown.figureNames && m_figures.HasFigures())
    texts += m_figures.DrawNames(shown.catalog, shown.setup, shown.frame, platform, labels);
  return texts;
}

void WayfindingLayers::DrawLines(const WayfindingFrame& shown, StarFrame& frame, const PixelBuffer* labels) {
  const bool selected = shown.selectedStar >= 0 && shown.selectedStar < shown.catalog.m_nStars;
  if (!shown.grid && !(shown.figures && m_figures.HasFigures()) && !selected) return;
  OverlayCanvas canvas(frame, shown.frame.width, shown.frame.height, labels);
  if (shown.grid) m_grid.DrawLines(shown.setup, shown.frame, canvas);
  if (shown.figures && m_figures.HasFigures())
    m_figures.DrawLines(shown.catalog, shown.setup, shown.frame, canvas);
  if (selected)
    DrawSelectionMarker(
        PlaceSelectionMarker(shown.catalog.m_pStars[shown.selectedStar].vPos, shown.setup, shown.frame),
        canvas);
}
