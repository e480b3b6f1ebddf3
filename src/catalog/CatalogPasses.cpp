// The two passes over the catalogue that write each record's working values
// for the current observer: its projection, and its distance and apparent magnitude.
// Large catalogues are split into contiguous index ranges run side by side;
// each record is written by the one thread that owns its range, with the same
// per-star kernel, so the result is the serial loop's to the bit.
#include "catalog/ParallelRange.h"
#include "catalog/StarCatalog.h"
#include "geometry/MagnitudeTables.h"
#include "geometry/Projection.h"

int StarCatalog::ProjectStars(Vector3D position, Vector3D forward, Vector3D scaledRight,
                              Vector3D scaledDown) {
  ForEachChunk(m_nStars, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
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
  });
  return 1;
}

void StarCatalog::UpdateMagnitudes(Vector3D position) {
  const MagnitudeTables& tables = MagnitudeTables::Get();  // built here, before any worker reads it
  ForEachChunk(m_nStars, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      StarEntry& star = m_pStars[i];
      star.dDistance = tables.Distance(SquaredDistance(star.vPos, position));
      star.dAppMagnitude = star.dAbsMagnitude + tables.Modulus(star.dDistance);
    }
  });
}
