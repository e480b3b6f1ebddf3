// Building the star grid (a counting sort of the stars by grid cell, each
// block in the order of its absolute magnitudes) and refreshing its draw
// codes for an observer position.
#include "render/StarGrid.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <mutex>
#include <new>
#include <tuple>
#include <utility>

#include "catalog/MagnitudeBound.h"
#include "catalog/MagnitudeClass.h"
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

// A record's position and absolute magnitude in millionths into star and
// absMagnitude; false, leaving them as they were, when they are no such
// products (or the magnitude is the lowest number, which the refresh's bound
// could not exceed).
bool AsMillionths(const StarEntry& record, GridStar& star, int32_t& starAbsMagnitude) {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;
  int32_t absMagnitude = 0;
  if (!::AsMillionths(record.vPos.x, x) || !::AsMillionths(record.vPos.y, y) ||
      !::AsMillionths(record.vPos.z, z) || !::AsMillionths(record.dAbsMagnitude, absMagnitude) ||
      absMagnitude == std::numeric_limits<int32_t>::min())
    return false;
  star.x = x;
  star.y = y;
  star.z = z;
  starAbsMagnitude = absMagnitude;
  return true;
}

// The squared distance from position to the nearest point of block's box,
// summed as SquaredDistance sums: no star in the box is nearer, to the
// rounding.
double SquaredDistanceToBox(const GridBlock& block, const Vector3D& position) {
  auto gap = [](double low, double high, double p) {
    if (p < low) return low - p;
    if (p > high) return p - high;
    return 0.0;
  };
  const Vector3D d(gap(block.low.x, block.high.x, position.x), gap(block.low.y, block.high.y, position.y),
                   gap(block.low.z, block.high.z, position.z));
  return Dot(d, d);
}

int CellsPerAxis(int64_t boxedStars) {
  const double cells = std::cbrt(static_cast<double>(boxedStars) / StarGrid::kStarsPerCell);
  return std::clamp(static_cast<int>(std::lround(cells)), 1, kMaxCellsPerAxis);
}

}  // namespace

void StarGrid::Clear() {
  m_records = nullptr;
  m_stars = {};
  m_absMagnitudes = {};
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
    auto keyOf = [&](const StarEntry& record, GridStar& star, int32_t& absMagnitude) {
      if (!Boxed(record.vPos)) return unboxedKey;
      const uint32_t cell = mapping.CellOf(record.vPos);
      return AsMillionths(record, star, absMagnitude) ? cell : cells + cell;
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
      int32_t absMagnitude = 0;
      ++next[k][keyOf(stars[i], star, absMagnitude)];
      if (stars[i].szName[0] != 0) m_named.Set(i);
    });
    std::vector<uint32_t> keyEnds(unboxedKey + 1);
    uint32_t begin = 0;
    for (uint32_t key = 0; key <= unboxedKey; ++key) {
      for (std::vector<uint32_t>& chunkNext : next) begin += std::exchange(chunkNext[key], begin);
      keyEnds[key] = begin;
    }
    m_stars.resize(static_cast<size_t>(count));
    m_absMagnitudes.resize(static_cast<size_t>(count));
    eachChunk([&](int64_t k, int64_t i) {
      GridStar star{0, 0, 0, static_cast<uint32_t>(i)};  // code kDrawNothing
      int32_t absMagnitude = 0;
      const uint32_t at = next[k][keyOf(stars[i], star, absMagnitude)]++;
      m_stars[at] = star;
      m_absMagnitudes[at] = absMagnitude;
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
      m_blocks.push_back({{}, {}, begin, blockEnd, begin, key != unboxedKey, key >= millionthsKeys, false});
      begin = blockEnd;
    }
  ForEachChunk(static_cast<int64_t>(m_blocks.size()), kMinBlocksPerThread, [&](int64_t first, int64_t last) {
    std::vector<std::pair<int32_t, GridStar>> order;
    for (int64_t b = first; b < last; ++b) {
      GridBlock& block = m_blocks[b];
      if (!block.fromRecords) SortByAbsoluteMagnitude(block, order);
      block.low = block.high = PositionOf(m_stars[block.begin], block);
      for (uint32_t s = block.begin + 1; s < block.end; ++s) {
        const Vector3D p = PositionOf(m_stars[s], block);
        block.low = {std::min(block.low.x, p.x), std::min(block.low.y, p.y), std::min(block.low.z, p.z)};
        block.high = {std::max(block.high.x, p.x), std::max(block.high.y, p.y), std::max(block.high.z, p.z)};
      }
    }
  });
}

void StarGrid::SortByAbsoluteMagnitude(const GridBlock& block,
                                       std::vector<std::pair<int32_t, GridStar>>& order) {
  order.clear();
  for (uint32_t s = block.begin; s < block.end; ++s) order.emplace_back(m_absMagnitudes[s], m_stars[s]);
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.Index() < b.second.Index();
  });
  for (uint32_t s = block.begin; s < block.end; ++s)
    std::tie(m_absMagnitudes[s], m_stars[s]) = order[s - block.begin];
}

void StarGrid::RefreshCodes(const StarEntry* stars, const Vector3D* position) {
  m_fromPosition = position != nullptr;
  if (m_fromPosition) m_position = *position;
  m_records = stars;
  MagnitudeTables::Get();  // built here, before any worker reads it
  std::fill(m_labelBits.words.begin(), m_labelBits.words.end(), 0);
  ForEachChunk(static_cast<int64_t>(m_blocks.size()), kMinBlocksPerThread, [&](int64_t first, int64_t last) {
    for (int64_t b = first; b < last; ++b) RefreshBlock(m_blocks[b]);
  });
}

void StarGrid::RefreshBlock(GridBlock& block) {
  const MagnitudeTables& tables = MagnitudeTables::Get();
  // The stars from settledFrom on are too faint for the block's distance.
  uint32_t settledFrom = block.end;
  if (m_fromPosition && block.bounded && !block.fromRecords) {
    const int64_t faintFrom =
        magnitude_bound::FaintFromMillionths(SquaredDistanceToBox(block, m_position), tables);
    settledFrom = static_cast<uint32_t>(
        std::partition_point(m_absMagnitudes.begin() + block.begin, m_absMagnitudes.begin() + block.end,
                             [&](int32_t absMagnitude) { return absMagnitude < faintFrom; }) -
        m_absMagnitudes.begin());
  }
  uint32_t drawEnd = block.begin;
  bool nearCodes = false;
  for (uint32_t s = block.begin; s < settledFrom; ++s) {
    GridStar& star = m_stars[s];
    uint8_t magnitudeClass = kClassFaint;
    if (!m_fromPosition) {
      const StarEntry& record = m_records[star.Index()];
      magnitudeClass = MagnitudeClassOf(record.dDistance, record.dAppMagnitude);
    } else if (block.fromRecords) {
      const StarEntry& record = m_records[star.Index()];
      magnitudeClass =
          magnitude_bound::ClassOf(SquaredDistance(record.vPos, m_position), record.dAbsMagnitude, tables);
    } else {
      magnitudeClass = magnitude_bound::ClassOf(SquaredDistance(MillionthsPosition(star), m_position),
                                                FromMillionths(m_absMagnitudes[s]), tables);
    }
    const PackedCode code = PackedCodeOfClass(magnitudeClass);
    star.SetCode(code);
    if (code == kNearCode)
      nearCodes = true;
    else if (code != kDrawNothing)
      drawEnd = s + 1;
    if (ClassMayGetLabel(magnitudeClass, m_named.Test(star.Index()))) m_labelBits.Set(star.Index());
  }
  if (block.nearCodes)
    for (uint32_t s = settledFrom; s < block.end; ++s) m_stars[s].SetCode(kDrawNothing);
  block.drawEnd = drawEnd;
  block.nearCodes = nearCodes;
}

int32_t StarGrid::RereadCode(const StarEntry& record) const {
  if (!m_fromPosition) return StarDrawCode(record.dDistance, record.dAppMagnitude, true);
  const StarMagnitude values = MagnitudeOf(record, MagnitudeTables::Get(), m_position);
  return StarDrawCode(values.distance, values.magnitude, true);
}
