// The two steps that end most of the view's handlers: bringing the stars'
// magnitudes up to date for a new position, and asking for a full redraw.
#include "view/SkyglassView.h"

void CSkyglassView::RecomputeMagnitudes() {
  m_document.m_catalog.UpdateMagnitudes(m_vPosition);
  m_bMagnitudesValid = 1;
}

void CSkyglassView::RedrawAll() {
  m_bProjectionDirty = 1;
  m_platform.Invalidate();
}
