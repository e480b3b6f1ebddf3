// Which of a map's stars shows each figure star: the star in the figure
// star's direction (within a few arc minutes, as seen from the Sun) with its
// catalogue number, else the one nearest to its stored position, so that a
// map whose catalogue numbers differ (a Gaia map) still shows the figures.
#pragma once

#include <cstdint>
#include <vector>

#include "catalog/StarEntry.h"
#include "overlay/FigureFile.h"

// How far from a figure star's direction a map's star may lie.
inline constexpr double kFigureMatchRadians = 3.0 / 60.0 * 3.14159265358979323846 / 180.0;

// The catalogue index for every figure star, figure after figure, star after
// star; -1 where the map has no star for it. One pass over the stars, on all cores.
std::vector<int32_t> MatchFigureStars(const std::vector<ConstellationFigure>& figures, const StarEntry* stars,
                                      int32_t count);
