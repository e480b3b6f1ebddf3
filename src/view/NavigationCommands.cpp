// The navigation commands: travel to coordinates or to a named star, look at
// a named star or in a direction given in degrees. Each runs its dialog and
// changes nothing unless the dialog ends with OK.
#include "interaction/AngleUnits.h"
#include "interaction/LookAngles.h"
#include "interaction/StarNameDlg.h"
#include "interaction/TravelToPointDlg.h"
#include "interaction/ViewDirectionDlg.h"
#include "view/SkyglassView.h"

namespace {
void LendCatalog(CStarNameDlg& dialog, const StarCatalog& catalog) {
  dialog.m_nStars = catalog.m_nStars;
  dialog.m_pStars = catalog.m_pStars;
}
}  // namespace

void CSkyglassView::TravelTo(double x, double y, double z) {
  m_vPosition.Set(x, y, z);
  if (m_bMagnitudeDrawing == 1) RecomputeMagnitudes();
  RedrawAll();
}

void CSkyglassView::OnTravelToPoint() {
  CTravelToPointDlg dialog;
  dialog.m_dX = m_vPosition.x;
  dialog.m_dY = m_vPosition.y;
  dialog.m_dZ = m_vPosition.z;
  if (!m_platform.RunDialog(dialog)) return;
  TravelTo(dialog.m_dX, dialog.m_dY, dialog.m_dZ);
}

// The observer then stands at the star itself, which is therefore not drawn.
void CSkyglassView::OnTravelToStar() {
  CTravelToStarDlg dialog;
  LendCatalog(dialog, m_document.m_catalog);
  if (!m_platform.RunDialog(dialog) || dialog.m_bFound != 1) return;
  TravelTo(dialog.m_dStarX, dialog.m_dStarY, dialog.m_dStarZ);
}

void CSkyglassView::OnViewToStar() {
  CViewToStarDlg dialog;
  LendCatalog(dialog, m_document.m_catalog);
  if (!m_platform.RunDialog(dialog) || dialog.m_bFound != 1) return;
  LookAt(Vector3D(dialog.m_dStarX, dialog.m_dStarY, dialog.m_dStarZ));
}

bool CSkyglassView::LookAt(const Vector3D& target) {
  const Vector3D towards(target.x - m_vPosition.x, target.y - m_vPosition.y, target.z - m_vPosition.z);
  // From the target's own position there is no direction to look in.
  double yaw = m_dYaw;
  double pitch = m_dPitch;
  if (!LookAnglesTowards(towards, yaw, pitch)) return false;
  SetLookAngles(yaw, pitch);
  RedrawAll();
  return true;
}

void CSkyglassView::OnViewDirection() {
  CViewDirectionDlg dialog;
  dialog.m_dU = m_dYaw * kRadiansToDegrees;
  dialog.m_dV = m_dPitch * kRadiansToDegrees;
  if (!m_platform.RunDialog(dialog)) return;
  SetLookAngles(dialog.m_dU * kDegreesToRadians, dialog.m_dV * kDegreesToRadians);
  RedrawAll();
}
