// The two passes over the catalogue that write each record's working values
// for the current observer: its projection, and its distance and apparent magnitude.
#include "catalog/StarCatalog.h"
#include "geometry/MagnitudeTables.h"
#include "geometry/Projection.h"

int StarCatalog::ProjectStars(Vector3D position, Vector3D forward, Vector3D scaledRight,
                              Vector3D scaledDown) {
  for (int32_t i = 0; i < m_nStars; ++i) {
    StarEntry& star = m_pStars[i];
    ProjectedPoint projected;
    if (ProjectPoint(star.vPos, position, forward, scaledRight, scaledDown, projected)) {
      star.dProjX = projected.x;
      star.dProjY = projected.y;
      star.bVisible = 1;
    } else {
      star.bVisible = 0;  // the old projected coordinates stay, unused
    }
  }
  return 1;
}

void StarCatalog::UpdateMagnitudes(Vector3D position) {
  const MagnitudeTables& tables = MagnitudeTables::Get();
  for (int32_t i = 0; i < m_nStars; ++i) {
    StarEntry& star = m_pStars[i];
    star.dDistance = tables.Distance(SquaredDistance(star.vPos, position));
    star.dAppMagnitude = star.dAbsMagnitude + tables.Modulus(star.dDistance);
  }
}
