// The view's display switches and zoom presets. Switches flip a flag with
// 1 - flag; the three label switches keep their nesting (designations imply
// small names, which imply names). None of them moves the observer.
#include "view/SkyglassView.h"

void CSkyglassView::OnNames() {
  m_bNames = 1 - m_bNames;
  if (m_bNames == 0) {
    m_bSmallNames = 0;
    m_bDurchmusterung = 0;
  }
  RedrawAll();
}

void CSkyglassView::OnSmallNames() {
  m_bSmallNames = 1 - m_bSmallNames;
  if (m_bSmallNames == 1) m_bNames = 1;
  if (m_bSmallNames == 0) m_bDurchmusterung = 0;
  RedrawAll();
}

void CSkyglassView::OnDurchmusterung() {
  m_bDurchmusterung = 1 - m_bDurchmusterung;
  if (m_bDurchmusterung == 1) {
    m_bNames = 1;
    m_bSmallNames = 1;
  }
  RedrawAll();
}

void CSkyglassView::OnDistances() {
  m_bDistances = 1 - m_bDistances;
  RedrawAll();
}

void CSkyglassView::OnMagnitudeDrawing() {
  m_bMagnitudeDrawing = 1 - m_bMagnitudeDrawing;
  // The magnitudes may be from an older position: travel does not keep them
  // current while magnitude drawing is off.
  if (m_bMagnitudeDrawing == 1) RecomputeMagnitudes();
  RedrawAll();
}

void CSkyglassView::OnStarColours() {
  m_bColours = 1 - m_bColours;
  RedrawAll();
}

// Nothing draws the debug flag, so the picture stays as it is: the repaint
// only copies the existing frame.
void CSkyglassView::OnDebug() {
  m_bDebug = 1 - m_bDebug;
  m_platform.Invalidate();
}

// The presets assign the factor; they never compound.
void CSkyglassView::OnZoom(double factor) {
  m_dZoom = factor;
  RedrawAll();
}
