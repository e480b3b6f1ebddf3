// The pick and the star read-outs in the view's current frame.
#include "view/StarUnderPointer.h"

#include "interaction/StarPick.h"
#include "view/SkyglassView.h"

MagnitudeState MagnitudeStateOf(const CSkyglassView& view) {
  return MagnitudeStateOf(view.m_bMagnitudeDrawing, view.m_bMagnitudesValid);
}

int32_t PickStarAt(CSkyglassView& view, int x, int y) {
  CSkyglassDoc& document = view.GetDocument();
  if (document.m_bMapPresent == 0) return DrawnStarMap::kNoStar;
  StarCatalog& catalog = document.m_catalog;
  const bool magnitudesDrawn = view.m_bMagnitudeDrawing == 1 && view.m_bMagnitudesValid == 1;
  // The stars that compete may be faint ones of a frame drawn before the
  // magnitudes came back, whose records the magnitude pass left as they were.
  if (magnitudesDrawn) {
    const DrawnStarMap& drawn = view.DrawnStars();
    for (int dy = -kPickRadius; dy <= kPickRadius; ++dy)
      for (int dx = -kPickRadius; dx <= kPickRadius; ++dx)
        if (const int32_t index = drawn.AtWindow(x + dx, y + dy); index >= 0 && index < catalog.m_nStars)
          catalog.WriteMagnitudesOf(index);
  }
  return PickDrawnStar(view.DrawnStars(), catalog.m_pStars, catalog.m_nStars, x, y, magnitudesDrawn);
}

std::string StarReadoutAt(CSkyglassView& view, int x, int y) {
  const int32_t index = PickStarAt(view, x, y);
  if (index == DrawnStarMap::kNoStar) return SelectionReadout(view);
  return FormatStarReadout(view.GetDocument().m_catalog.m_pStars[index], MagnitudeStateOf(view));
}

std::string SelectionReadout(CSkyglassView& view) {
  StarCatalog& catalog = view.GetDocument().m_catalog;
  const int32_t index = view.m_nSelectedStar;
  if (view.GetDocument().m_bMapPresent == 0 || index < 0 || index >= catalog.m_nStars) return {};
  catalog.WriteMagnitudesOf(index);
  return FormatStarReadout(catalog.m_pStars[index], MagnitudeStateOf(view));
}
