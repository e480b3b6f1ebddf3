// The overlays' step of the view's paint: the galactic grid, the
// constellation figures and the selected star's marker, as switched on.
// With all of them off it touches no buffer. Also the figures' setting.
#include "view/SkyglassView.h"

WayfindingFrame CSkyglassView::WayfindingShown() const {
  // Figure names follow the star names: on with Names, and while the labels are drawn.
  const bool labelsDrawn = m_bNames != 0 && m_bMagnitudeDrawing != 0 && m_bMagnitudesValid != 0;
  return {m_document.m_catalog, m_paintSetup,           {m_nWidth, m_nHeight, m_nCenterX, m_nCenterY},
          m_display.grid != 0,  m_display.figures != 0, labelsDrawn,
          m_nSelectedStar};
}

void CSkyglassView::DrawWayfinding() {
  if (!m_starFrame.Attached()) return;
  m_wayfinding.Draw(WayfindingShown(), m_platform, m_starFrame,
                    m_bLabelBufferBlack == 0 ? m_hLabelBitmap.get() : nullptr);
}

void CSkyglassView::SetFigures(std::vector<ConstellationFigure> figures) {
  m_wayfinding.Figures().SetFigures(std::move(figures));
  if (!HasFigures()) m_display.figures = 0;
  RedrawAll();
}
