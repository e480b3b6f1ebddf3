// Building the star grid (a counting sort of the stars by grid cell) and
// refreshing its draw codes from the stars' magnitude classes.
#include "render/StarGrid.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <mutex>
#include <new>
#include <utility>

#include "catalog/Millionths.h"
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

// Maps boxed positions to one of cells^3 cells.
class CellMapping {
 public:
  CellMapping(const Box& box, int cells) : m_low(box.low), m_cells(cells) {
    m_scale = {Scale(box.low.x, box.high.x), Scale(box.low.y, box.high.y), Scale(box.low.z, box.high.z)};
  }
  uint32_t Cells() const { return static_cast<uint32_t>(m_cells) * m_cells * m_cells; }
  uint32_t CellOf(const Vector3D& p) const {
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

bool AsMillionths(const Vector3D& p, GridStar& star) {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;
  if (!::AsMillionths(p.x, x) || !::AsMillionths(p.y, y) || !::AsMillionths(p.z, z)) return false;
  star.x = x;
  star.y = y;
  star.z = z;
  return true;
}

int CellsPerAxis(int64_t boxedStars) {
  const double cells = std::cbrt(static_cast<double>(boxedStars) / StarGrid::kStarsPerCell);
  return std::clamp(static_cast<int>(std::lround(cells)), 1, kMaxCellsPerAxis);
}

}  // namespace

void StarGrid::Clear() {
  m_records = nullptr;
  m_stars = {};
  m_blocks = {};
  m_named = {};
  m_labelBits = {};
}

bool StarGrid::Build(const StarEntry* stars, int32_t count) {
  Clear();
  if (count <= 0) return true;
  if (count > kMaxStars) return false;
  try {
    const Box box = BoxOfBoxedStars(stars, count);
    const CellMapping mapping(box, CellsPerAxis(box.count));
    // The stars are sorted by key: their cell for positions in whole
    // millionths, the same cell after all those for other boxed positions,
    // and one key after those for the rest. Setting star's position when it
    // is in millionths.
    const uint32_t cells = mapping.Cells();
    const uint32_t unboxedKey = 2 * cells;
    auto keyOf = [&](const Vector3D& p, GridStar& star) {
      if (!Boxed(p)) return unboxedKey;
      const uint32_t cell = mapping.CellOf(p);
      return AsMillionths(p, star) ? cell : cells + cell;
    };
    // A counting sort that keeps each key's stars in catalogue order: each
    // chunk of the records counts its stars by key, then writes them from
    // where its share of each key begins. The keys are found twice rather
    // than kept, which would take 4 bytes a star more beside the records.
    const int64_t chunks = ChunkCount(count, kMinStarsPerThread, HardwareWorkers());
    auto eachChunk = [&](auto visit) {
      ForEachChunk(chunks, 1, static_cast<unsigned>(chunks), [&](int64_t first, int64_t last) {
        for (int64_t k = first; k < last; ++k)
          for (int64_t i = ChunkBegin(count, chunks, k), end = ChunkBegin(count, chunks, k + 1); i < end; ++i)
            visit(k, i);
      });
    };
    std::vector<std::vector<uint32_t>> next(static_cast<size_t>(chunks),
                                            std::vector<uint32_t>(unboxedKey + 1, 0));
    m_named.Reset(count);
    m_labelBits.Reset(count);
    eachChunk([&](int64_t k, int64_t i) {
      GridStar star{};
      ++next[k][keyOf(stars[i].vPos, star)];
      if (stars[i].szName[0] != 0) m_named.Set(i);
    });
    std::vector<uint32_t> keyEnds(unboxedKey + 1);
    uint32_t begin = 0;
    for (uint32_t key = 0; key <= unboxedKey; ++key) {
      for (std::vector<uint32_t>& chunkNext : next) begin += std::exchange(chunkNext[key], begin);
      keyEnds[key] = begin;
    }
    m_stars.resize(static_cast<size_t>(count));
    eachChunk([&](int64_t k, int64_t i) {
      GridStar star{0, 0, 0, static_cast<uint32_t>(i)};  // code kDrawNothing
      const uint32_t key = keyOf(stars[i].vPos, star);
      m_stars[next[k][key]++] = star;
    });
    m_records = stars;
    MakeBlocks(keyEnds, cells, unboxedKey);
    return true;
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
}

void StarGrid::MakeBlocks(const std::vector<uint32_t>& keyEnds, uint32_t millionthsKeys,
                          uint32_t unboxedKey) {
  uint32_t begin = 0;
  for (uint32_t key = 0; key <= unboxedKey; ++key)
    for (const uint32_t end = keyEnds[key]; begin < end;) {
      const uint32_t blockEnd = std::min(end, begin + kMaxBlockStars);
      m_blocks.push_back({{}, {}, begin, blockEnd, begin, key != unboxedKey, key >= millionthsKeys});
      begin = blockEnd;
    }
  ForEachChunk(static_cast<int64_t>(m_blocks.size()), kMinBlocksPerThread, [&](int64_t first, int64_t last) {
    for (int64_t b = first; b < last; ++b) {
      GridBlock& block = m_blocks[b];
      block.low = block.high = PositionOf(m_stars[block.begin], block);
      for (uint32_t s = block.begin + 1; s < block.end; ++s) {
        const Vector3D p = PositionOf(m_stars[s], block);
        block.low = {std::min(block.low.x, p.x), std::min(block.low.y, p.y), std::min(block.low.z, p.z)};
        block.high = {std::max(block.high.x, p.x), std::max(block.high.y, p.y), std::max(block.high.z, p.z)};
      }
    }
  });
}

// Stars ahead of the one whose class is read whose class the refresh asks for.
constexpr uint32_t kClassPrefetchAhead = 32;

void StarGrid::RefreshCodes(const StarEntry* stars, const uint8_t* classes) {
  const int64_t count = static_cast<int64_t>(m_stars.size());
  std::vector<uint8_t> recordClasses;  // without classes given, those of the records' values
  if (classes == nullptr) {
    recordClasses.resize(static_cast<size_t>(count));
    ForEachChunk(count, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
      for (int64_t i = begin; i < end; ++i) {
        if (i + kPrefetchDistance < end) __builtin_prefetch(&stars[i + kPrefetchDistance].dDistance);
        recordClasses[i] = MagnitudeClassOf(stars[i].dDistance, stars[i].dAppMagnitude);
      }
    });
    classes = recordClasses.data();
  }
  std::fill(m_labelBits.words.begin(), m_labelBits.words.end(), 0);
  ForEachChunk(count, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i)
      if (ClassMayGetLabel(classes[i], m_named.Test(i))) m_labelBits.Set(i);
  });
  // The blocks pick up the classes by index: a byte a star, a much smaller
  // array to read at random than the records.
  ForEachChunk(static_cast<int64_t>(m_blocks.size()), kMinBlocksPerThread, [&](int64_t first, int64_t last) {
    for (int64_t b = first; b < last; ++b) {
      GridBlock& block = m_blocks[b];
      for (uint32_t s = block.begin; s < block.end; ++s) {
        if (s + kClassPrefetchAhead < block.end)
          __builtin_prefetch(&classes[m_stars[s + kClassPrefetchAhead].Index()]);
        m_stars[s].SetCode(PackedCodeOfClass(classes[m_stars[s].Index()]));
      }
      const auto drawn = std::partition(
          m_stars.begin() + block.begin, m_stars.begin() + block.end,
          [](const GridStar& star) { return star.Code() != kDrawNothing && star.Code() != kNearCode; });
      block.drawEnd = static_cast<uint32_t>(drawn - m_stars.begin());
    }
  });
}
