// The pick and the star read-out in the view's current frame.
#include "view/StarUnderPointer.h"

#include "interaction/StarPick.h"
#include "view/SkyglassView.h"

MagnitudeState MagnitudeStateOf(const CSkyglassView& view) {
  return MagnitudeStateOf(view.m_bMagnitudeDrawing, view.m_bMagnitudesValid);
}

int32_t PickStarAt(CSkyglassView& view, int x, int y) {
  const CSkyglassDoc& document = view.GetDocument();
  if (document.m_bMapPresent == 0) return DrawnStarMap::kNoStar;
  const bool magnitudesDrawn = view.m_bMagnitudeDrawing == 1 && view.m_bMagnitudesValid == 1;
  return PickDrawnStar(view.DrawnStars(), document.m_catalog.m_pStars, document.m_catalog.m_nStars, x, y,
                       magnitudesDrawn);
}

std::string StarReadoutAt(CSkyglassView& view, int x, int y) {
  const int32_t index = PickStarAt(view, x, y);
  if (index == DrawnStarMap::kNoStar) return SelectionReadout(view);
  return FormatStarReadout(view.GetDocument().m_catalog.m_pStars[index], MagnitudeStateOf(view));
}

std::string SelectionReadout(CSkyglassView& view) {
  const StarCatalog& catalog = view.GetDocument().m_catalog;
  const int32_t index = view.m_nSelectedStar;
  if (view.GetDocument().m_bMapPresent == 0 || index < 0 || index >= catalog.m_nStars) return {};
  return FormatStarReadout(catalog.m_pStars[index], MagnitudeStateOf(view));
}
