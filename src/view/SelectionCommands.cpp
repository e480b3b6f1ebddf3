// The selected star: picked by a click on a drawn star (a press and release
// without turning the view), followed by its marker, travelled to and
// looked at by command, and cleared by Esc or a click on empty sky.
#include "view/SkyglassView.h"

void CSkyglassView::Select(int32_t star) {
  if (star == m_nSelectedStar) return;
  m_nSelectedStar = star;
  RedrawAll();
}

void CSkyglassView::OnTravelToSelection() {
  if (m_nSelectedStar < 0 || m_nSelectedStar >= m_document.m_catalog.m_nStars) return;
  const Vector3D star = m_document.m_catalog.m_pStars[m_nSelectedStar].vPos;
  TravelTo(star.x, star.y, star.z);
}

void CSkyglassView::OnViewAtSelection() {
  if (m_nSelectedStar < 0 || m_nSelectedStar >= m_document.m_catalog.m_nStars) return;
  LookAt(m_document.m_catalog.m_pStars[m_nSelectedStar].vPos);
}

void CSkyglassView::OnClearSelection() { Select(-1); }
