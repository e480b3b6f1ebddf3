// Building the star grid (a counting sort of the stars by grid cell) and
// refreshing its draw codes from the records.
#include "render/StarGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <new>

#include "catalog/StarKernels.h"
#include "parallel/ParallelRange.h"
#include "render/LabelPass.h"
#include "render/StarPlot.h"

namespace {

constexpr int64_t kMinStarsPerThread = 65536;
constexpr int64_t kMinBlocksPerThread = 64;
constexpr int kMaxCellsPerAxis = 128;

bool Boxed(const Vector3D& p) {
  const double limit = StarGrid::kLargestBoxedCoordinate;
  return std::fabs(p.x) <= limit && std::fabs(p.y) <= limit && std::fabs(p.z) <= limit;  // false for NaN
}

struct Box {
  Vector3D low{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
               std::numeric_limits<double>::infinity()};
  Vector3D high{-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                -std::numeric_limits<double>::infinity()};
  int64_t count = 0;

  void Add(const Vector3D& p) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    ++count;
  }
  void Merge(const Box& other) {
    low = {std::min(low.x, other.low.x), std::min(low.y, other.low.y), std::min(low.z, other.low.z)};
    high = {std::max(high.x, other.high.x), std::max(high.y, other.high.y), std::max(high.z, other.high.z)};
    count += other.count;
  }
};

Box BoxOfBoxedStars(const StarEntry* stars, int32_t count) {
  Box total;
  std::mutex mutex;
  ForEachChunk(count, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    Box part;
    for (int64_t i = begin; i < end; ++i)
      if (Boxed(stars[i].vPos)) part.Add(stars[i].vPos);
    const std::lock_guard lock(mutex);
    total.Merge(part);
  });
  return total;
}

// Maps boxed positions to one of cells^3 cells; everything else to the
// extra cell cells^3.
class CellMapping {
 public:
  CellMapping(const Box& box, int cells) : m_low(box.low), m_cells(cells) {
    m_scale = {Scale(box.low.x, box.high.x), Scale(box.low.y, box.high.y), Scale(box.low.z, box.high.z)};
  }
  uint32_t CellCount() const { return static_cast<uint32_t>(m_cells) * m_cells * m_cells + 1; }
  uint32_t CellOf(const Vector3D& p) const {
    if (!Boxed(p)) return CellCount() - 1;
    const uint32_t x = Axis(p.x, m_low.x, m_scale.x);
    const uint32_t y = Axis(p.y, m_low.y, m_scale.y);
    const uint32_t z = Axis(p.z, m_low.z, m_scale.z);
    return (z * m_cells + y) * m_cells + x;
  }

 private:
  double Scale(double low, double high) const { return high > low ? m_cells / (high - low) : 0.0; }
  uint32_t Axis(double value, double low, double scale) const {
    // Not a number when an extent too small for its reciprocal makes the scale infinite.
    const double cell = (value - low) * scale;
    if (!(cell > 0.0)) return 0;
    return static_cast<uint32_t>(std::min(cell, static_cast<double>(m_cells - 1)));
  }

  Vector3D m_low;
  Vector3D m_scale;
  int m_cells;
};

int CellsPerAxis(int64_t boxedStars) {
  const double cells = std::cbrt(static_cast<double>(boxedStars) / StarGrid::kStarsPerCell);
  return std::clamp(static_cast<int>(std::lround(cells)), 1, kMaxCellsPerAxis);
}

}  // namespace

void StarGrid::Clear() {
  m_stars = {};
  m_blocks = {};
  m_named = {};
  m_labelBits = {};
}

bool StarGrid::Build(const StarEntry* stars, int32_t count) {
  Clear();
  if (count <= 0) return true;
  try {
    const Box box = BoxOfBoxedStars(stars, count);
    const CellMapping mapping(box, CellsPerAxis(box.count));
    std::vector<uint32_t> cellOf(static_cast<size_t>(count));
    m_named.Reset(count);
    m_labelBits.Reset(count);
    ForEachChunk(count, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
      for (int64_t i = begin; i < end; ++i) {
        cellOf[i] = mapping.CellOf(stars[i].vPos);
        if (stars[i].szName[0] != 0) m_named.Set(i);
      }
    });
    std::vector<uint32_t> cellEnd(mapping.CellCount() + 1, 0);  // counts, then ends, shifted by one
    for (const uint32_t cell : cellOf) ++cellEnd[cell + 1];
    for (size_t c = 1; c < cellEnd.size(); ++c) cellEnd[c] += cellEnd[c - 1];
    m_stars.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) m_stars[cellEnd[cellOf[i]]++] = {stars[i].vPos, i, kDrawNothing};

    const uint32_t unboxedCell = mapping.CellCount() - 1;
    uint32_t begin = 0;
    for (uint32_t cell = 0; cell <= unboxedCell; ++cell) {
      for (const uint32_t end = cellEnd[cell]; begin < end;) {
        const uint32_t blockEnd = std::min(end, begin + kMaxBlockStars);
        GridBlock block{m_stars[begin].pos, m_stars[begin].pos, begin, blockEnd, begin, cell != unboxedCell};
        for (uint32_t s = begin; s < blockEnd; ++s) {
          const Vector3D& p = m_stars[s].pos;
          block.low = {std::min(block.low.x, p.x), std::min(block.low.y, p.y), std::min(block.low.z, p.z)};
          block.high = {std::max(block.high.x, p.x), std::max(block.high.y, p.y),
                        std::max(block.high.z, p.z)};
        }
        m_blocks.push_back(block);
        begin = blockEnd;
      }
    }
    return true;
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
}

void StarGrid::RefreshCodes(const StarEntry* stars, bool byMagnitude) {
  // The records are read in catalogue order into a code per index, which the
  // blocks then pick up: a much smaller array to read at random than the
  // records themselves.
  const int64_t count = static_cast<int64_t>(m_stars.size());
  std::vector<int32_t> codeOf(static_cast<size_t>(count));
  std::fill(m_labelBits.words.begin(), m_labelBits.words.end(), 0);
  ForEachChunk(count, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      if (i + kPrefetchDistance < end) __builtin_prefetch(&stars[i + kPrefetchDistance].dDistance);
      const StarEntry& star = stars[i];
      codeOf[i] = StarDrawCode(star.dDistance, star.dAppMagnitude, byMagnitude);
      if (MayGetLabel(star.dDistance, star.dAppMagnitude, m_named.Test(i))) m_labelBits.Set(i);
    }
  });
  ForEachChunk(static_cast<int64_t>(m_blocks.size()), kMinBlocksPerThread, [&](int64_t first, int64_t last) {
    for (int64_t b = first; b < last; ++b) {
      GridBlock& block = m_blocks[b];
      for (uint32_t s = block.begin; s < block.end; ++s) m_stars[s].code = codeOf[m_stars[s].index];
      const auto drawn = std::partition(m_stars.begin() + block.begin, m_stars.begin() + block.end,
                                        [](const GridStar& star) { return star.code != kDrawNothing; });
      block.drawEnd = static_cast<uint32_t>(drawn - m_stars.begin());
    }
  });
}
