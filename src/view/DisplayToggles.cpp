// The view's display switches and zoom presets. Switches flip a flag with
// 1 - flag; the three label switches keep their nesting (DisplayOptions).
// None of them moves the observer.
#include "view/SkyglassView.h"

void CSkyglassView::OnNames() {
  m_display.SwitchNames();
  RedrawAll();
}

void CSkyglassView::OnSmallNames() {
  m_display.SwitchSmallNames();
  RedrawAll();
}

void CSkyglassView::OnDurchmusterung() {
  m_display.SwitchDurchmusterung();
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

// Without a figures file there are no figures to show: the command is greyed.
void CSkyglassView::OnConstellationFigures() {
  if (!m_wayfinding.Figures().HasFigures()) return;
  m_display.figures = 1 - m_display.figures;
  RedrawAll();
}

void CSkyglassView::OnGalacticGrid() {
  m_display.grid = 1 - m_display.grid;
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
