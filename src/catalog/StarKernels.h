// The per-star work of the two catalogue passes, shared by the passes
// themselves and by the paint that fuses the projection with the star pass.
#pragma once

#include <cstdint>

#include "catalog/StarEntry.h"
#include "geometry/MagnitudeTables.h"
#include "geometry/Projection.h"

// How many records ahead of the one being worked on a pass asks for the
// cache lines it will touch, so that the memory traffic overlaps the
// arithmetic (the divisions, square roots and logarithms) instead of
// waiting for it.
inline constexpr int64_t kPrefetchDistance = 24;

// Asks for the lines of a record that the passes read and write: its
// working values and position, and with absMagnitude also the line of
// dAbsMagnitude. A hint only: nothing is read.
inline void PrefetchRecord(const StarEntry& star, bool absMagnitude) {
  if (absMagnitude) __builtin_prefetch(&star.dAbsMagnitude, 0);
  __builtin_prefetch(&star.vPos, 1);
  __builtin_prefetch(&star.bVisible, 1);
}

// The observer a projection is made for: position, line of sight and the
// zoomed right and down vectors.
struct ProjectionSetup {
  Vector3D position;
  Vector3D forward;
  Vector3D scaledRight;
  Vector3D scaledDown;
};

// dProjX, dProjY and bVisible of one record; a star not in front keeps its
// old projected coordinates, unused.
inline void ProjectStar(StarEntry& star, const ProjectionSetup& setup) {
  ProjectedPoint projected;
  if (ProjectPoint(star.vPos, setup.position, setup.forward, setup.scaledRight, setup.scaledDown,
                   projected)) {
    star.dProjX = projected.x;
    star.dProjY = projected.y;
    star.bVisible = 1;
  } else {
    star.bVisible = 0;
  }
}

// A star's distance and apparent magnitude for an observer position.
struct StarMagnitude {
  double distance;
  double magnitude;
};

inline StarMagnitude MagnitudeOf(const StarEntry& star, const MagnitudeTables& tables,
                                 const Vector3D& position) {
  const double distance = tables.Distance(SquaredDistance(star.vPos, position));
  return {distance, star.dAbsMagnitude + tables.Modulus(distance)};
}

// dDistance and dAppMagnitude of one record: MagnitudeOf, written in the
// straightforward pass's own steps, so that even a NaN keeps its payload
// (which follows the order in which the compiler takes the operands).
inline void UpdateStarMagnitude(StarEntry& star, const MagnitudeTables& tables, const Vector3D& position) {
  star.dDistance = tables.Distance(SquaredDistance(star.vPos, position));
  star.dAppMagnitude = star.dAbsMagnitude + tables.Modulus(star.dDistance);
}

// ProjectStar over records [begin, end), asking for lines ahead.
inline void ProjectRange(StarEntry* stars, int64_t begin, int64_t end, const ProjectionSetup& setup) {
  for (int64_t i = begin; i < end; ++i) {
    if (i + kPrefetchDistance < end) PrefetchRecord(stars[i + kPrefetchDistance], false);
    ProjectStar(stars[i], setup);
  }
}
