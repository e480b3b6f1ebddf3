// Picking the star drawn at or near a window point.
#include "interaction/StarPick.h"

#include "catalog/StarEntry.h"

namespace {

struct Candidate {
  int32_t index = DrawnStarMap::kNoStar;
  int squaredDistance = 0;
};

// True when the star at index with its pixel at squaredDistance beats best.
bool Beats(const StarEntry* stars, int32_t index, int squaredDistance, const Candidate& best,
           bool byBrightness) {
  if (best.index == DrawnStarMap::kNoStar || squaredDistance < best.squaredDistance) return true;
  if (squaredDistance > best.squaredDistance || index == best.index) return false;
  if (byBrightness) {
    const double magnitude = stars[index].dAppMagnitude;
    const double bestMagnitude = stars[best.index].dAppMagnitude;
    if (magnitude < bestMagnitude) return true;
    if (magnitude > bestMagnitude) return false;
  }
  return index > best.index;  // the later star is drawn on top
}

}  // namespace

int32_t PickDrawnStar(const DrawnStarMap& drawn, const StarEntry* stars, int32_t count, int x, int y,
                      bool byBrightness) {
  const int32_t under = drawn.AtWindow(x, y);
  if (under != DrawnStarMap::kNoStar) return under < count ? under : DrawnStarMap::kNoStar;
  // Every pixel of a star competes with its own distance, so the best pixel
  // overall belongs to the star whose nearest drawn pixel is nearest.
  Candidate best;
  for (int dy = -kPickRadius; dy <= kPickRadius; ++dy) {
    for (int dx = -kPickRadius; dx <= kPickRadius; ++dx) {
      const int squaredDistance = dx * dx + dy * dy;
      if (squaredDistance > kPickRadius * kPickRadius) continue;
      const int32_t index = drawn.AtWindow(x + dx, y + dy);
      if (index == DrawnStarMap::kNoStar || index >= count) continue;
      if (Beats(stars, index, squaredDistance, best, byBrightness)) best = {index, squaredDistance};
    }
  }
  return best.index;
}
