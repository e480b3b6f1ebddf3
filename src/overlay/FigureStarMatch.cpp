// Matching figure stars to a map's stars by direction cells: each figure
// star is entered in the cells around its direction, so each map star looks
// in one cell only.
#include "overlay/FigureStarMatch.h"

#include <cmath>
#include <limits>
#include <unordered_map>

#include "geometry/Projection.h"
#include "parallel/ParallelRange.h"

namespace {

constexpr double kCellSize = kFigureMatchRadians;  // cells of unit-vector space
constexpr int64_t kMinStarsPerThread = 1 << 16;
// Without the catalogue number, the distance from the Sun may differ by this factor.
constexpr double kMaxDistanceRatio = 2.0;

struct Candidate {
  Vector3D direction;  // from the Sun, unit length
  Vector3D position;
  double distance;
  int32_t catalogNumber;
};

// The best map star found so far for one figure star: number matches first,
// then the smallest distance to the stored position, then the lower index.
struct Best {
  bool sameNumber = false;
  double offset = std::numeric_limits<double>::infinity();
  int32_t index = -1;

  bool Beats(const Best& other) const {
    if (index < 0) return false;
    if (other.index < 0) return true;
    if (sameNumber != other.sameNumber) return sameNumber;
    if (offset != other.offset) return offset < other.offset;
    return index < other.index;
  }
};

int64_t CellOf(double component) { return static_cast<int64_t>(std::floor(component / kCellSize)); }

uint64_t CellKey(int64_t x, int64_t y, int64_t z) {
  // Cells of a unit vector lie within about +-1200 of 0 on each axis: 12 bits each suffice.
  auto bits = [](int64_t c) { return static_cast<uint64_t>(c + 2048) & 0xFFFFF; };
  return bits(x) | (bits(y) << 20) | (bits(z) << 40);
}

}  // namespace

std::vector<int32_t> MatchFigureStars(const std::vector<ConstellationFigure>& figures, const StarEntry* stars,
                                      int32_t count) {
  std::vector<Candidate> candidates;
  for (const ConstellationFigure& figure : figures)
    for (const FigureStar& star : figure.stars) {
      const double distance = std::sqrt(Dot(star.position, star.position));
      const Vector3D direction = distance > 0.0 ? star.position / distance : Vector3D();
      candidates.push_back({direction, star.position, distance, star.catalogNumber});
    }
  std::unordered_map<uint64_t, std::vector<uint32_t>> cells;
  for (uint32_t c = 0; c < candidates.size(); ++c) {
    if (!(candidates[c].distance > 0.0)) continue;  // the Sun's own position has no direction
    const Vector3D& d = candidates[c].direction;
    for (int64_t dx = -1; dx <= 1; ++dx)
      for (int64_t dy = -1; dy <= 1; ++dy)
        for (int64_t dz = -1; dz <= 1; ++dz)
          cells[CellKey(CellOf(d.x) + dx, CellOf(d.y) + dy, CellOf(d.z) + dz)].push_back(c);
  }
  const double minCos = std::cos(kFigureMatchRadians);
  const int64_t chunks = ChunkCount(count, kMinStarsPerThread, HardwareWorkers());
  std::vector<std::vector<Best>> found(static_cast<size_t>(chunks), std::vector<Best>(candidates.size()));
  ForEachChunk(chunks, 1, static_cast<unsigned>(chunks), [&](int64_t first, int64_t last) {
    for (int64_t k = first; k < last; ++k)
      for (int64_t i = ChunkBegin(count, chunks, k), end = ChunkBegin(count, chunks, k + 1); i < end; ++i) {
        const StarEntry& star = stars[i];
        const double distance = std::sqrt(Dot(star.vPos, star.vPos));
        if (!(distance > 0.0) || !std::isfinite(distance)) continue;
        const Vector3D d = star.vPos / distance;
        const auto cell = cells.find(CellKey(CellOf(d.x), CellOf(d.y), CellOf(d.z)));
        if (cell == cells.end()) continue;
        for (uint32_t c : cell->second) {
          const Candidate& candidate = candidates[c];
          if (Dot(d, candidate.direction) < minCos) continue;
          Best match{star.nCatalogNumber == candidate.catalogNumber,
                     std::sqrt(SquaredDistance(star.vPos, candidate.position)), static_cast<int32_t>(i)};
          const double ratio = distance / candidate.distance;
          if (!match.sameNumber && !(ratio <= kMaxDistanceRatio && ratio >= 1.0 / kMaxDistanceRatio))
            continue;
          if (match.Beats(found[k][c])) found[k][c] = match;
        }
      }
  });
  std::vector<int32_t> indices(candidates.size(), -1);
  for (size_t c = 0; c < candidates.size(); ++c) {
    Best best;
    for (const std::vector<Best>& part : found)
      if (part[c].Beats(best)) best = part[c];
    indices[c] = best.index;
  }
  return indices;
}
