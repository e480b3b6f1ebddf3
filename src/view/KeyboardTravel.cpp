// The view's keyboard travel: Up and Down fly the observer along the line of
// sight (the steps are in interaction/TravelStep). Presses that follow each
// other more closely than the magnitude tolerance only mark the magnitudes
// stale (a held key's step on the screen counts as a press, for the repeats
// merged into it); a key release recomputes them. Also the Options command,
// which sets that tolerance.
#include "view/KeyboardTravel.h"

#include "geometry/ViewBasis.h"
#include "interaction/OptionsDlg.h"
#include "interaction/TravelStep.h"
#include "view/SkyglassView.h"

namespace {
// One value for the whole program, not one per view.
int g_previousTravelPressMs = 0;
}  // namespace

int PreviousTravelPressMs() { return g_previousTravelPressMs; }
void ResetTravelPressClock() { g_previousTravelPressMs = 0; }

void CSkyglassView::OnKeyDown(int virtualKey) {
  const Vector3D forward = ComputeBasis(m_dYaw, m_dPitch).forward;  // fresh, from the angles
  const bool shift = m_platform.IsKeyDown(ModifierKey::Shift);
  const bool control = m_platform.IsKeyDown(ModifierKey::Control);
  if (virtualKey != kVkUp && virtualKey != kVkDown) return;
  m_vPosition = TravelledPosition(m_vPosition, forward, virtualKey == kVkUp, shift, control);

  const int now = m_platform.LocalTimeMsWithinHour();
  const bool tooSoon = TravelPressTooSoon(now, g_previousTravelPressMs, m_nMagTolerance);
  if (m_bMagnitudeDrawing == 1) {
    if (tooSoon)
      m_bMagnitudesValid = 0;
    else
      RecomputeMagnitudes();
  }
  g_previousTravelPressMs = now;
  RedrawAll();
}

void CSkyglassView::OnHeldTravelStepShown() { g_previousTravelPressMs = m_platform.LocalTimeMsWithinHour(); }

void CSkyglassView::OnKeyUp(int /*virtualKey*/) {
  if (m_bMagnitudesValid == 0 && m_bMagnitudeDrawing == 1) {
    RecomputeMagnitudes();
    RedrawAll();
  }
}

// Sets the tolerance on OK only; nothing on screen changes.
void CSkyglassView::OnOptions() {
  COptionsDlg dialog;
  dialog.m_nTolerance = m_nMagTolerance;
  if (m_platform.RunDialog(dialog)) m_nMagTolerance = dialog.m_nTolerance;
}
