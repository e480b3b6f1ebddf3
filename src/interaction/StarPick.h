// The star under the pointer: looked up in the star pass's record of which
// star each pixel shows, never by walking the catalogue, so that it costs the
// same whatever the number of stars.
#pragma once

#include <cstdint>

#include "render/DrawnStarMap.h"

struct StarEntry;

// How far from the pointer, in pixels, a drawn star is still found.
inline constexpr int kPickRadius = 4;

// The star drawn at window point (x, y); failing that, the star with a drawn
// pixel nearest to it (Euclidean) within kPickRadius. Ties go to the brighter
// star (lower apparent magnitude, compared only when byBrightness is set),
// then to the later one in catalogue order. Returns the catalogue index, or
// DrawnStarMap::kNoStar. Indices not below count are ignored.
int32_t PickDrawnStar(const DrawnStarMap& drawn, const StarEntry* stars, int32_t count, int x, int y,
                      bool byBrightness);
