// StarGrid: the compact copy of the catalogue that a recomputing paint walks
// instead of the records. Each star keeps its position, its catalogue index
// and how it is drawn; the stars are grouped by a uniform grid over their
// positions into blocks with a bounding box, so that a block wholly outside
// the view is skipped in one test.
//
// A map file stores each coordinate as whole millionths of a light year, and
// the records hold those numbers times 1e-6: the grid keeps the whole
// numbers, 12 bytes a star instead of 24, and makes the records' doubles
// from them exactly. Stars whose positions are not such products (records
// not read from a map) go into blocks of their own, whose positions are read
// from the records.
#pragma once

#include <cstdint>
#include <vector>

#include "catalog/StarEntry.h"
#include "geometry/Vector3D.h"
#include "render/IndexBits.h"
#include "render/StarPlot.h"

// A code of StarDrawCode in a byte: the codes from -127 (discs of up to 127
// pixels) to 3; kRereadCode for a larger disc, whose code is read again from
// the record.
using PackedCode = int8_t;
inline constexpr PackedCode kRereadCode = -128;

inline PackedCode PackCode(int32_t code) {
  return code > kRereadCode ? static_cast<PackedCode>(code) : kRereadCode;
}

struct GridStar {
  int32_t x, y, z;  // the position in millionths, in blocks not fromRecords
  uint32_t
      indexAndCode;  // the catalogue index in the low 24 bits, the packed code of the last RefreshCodes above

  static constexpr int kIndexBits = 24;
  int32_t Index() const { return static_cast<int32_t>(indexAndCode & ((1u << kIndexBits) - 1)); }
  PackedCode Code() const { return static_cast<PackedCode>(indexAndCode >> kIndexBits); }
  void SetCode(PackedCode code) {
    indexAndCode = (indexAndCode & ((1u << kIndexBits) - 1)) | uint32_t{static_cast<uint8_t>(code)}
                                                                   << kIndexBits;
  }
};

// Stars [begin, end) of the grid, all inside the box low..high; those before
// drawEnd have a code that draws something. A block of stars with positions
// too large or not finite for a box has bounded false and is never skipped.
struct GridBlock {
  Vector3D low;
  Vector3D high;
  uint32_t begin;
  uint32_t end;
  uint32_t drawEnd;
  bool bounded;
  bool fromRecords;  // its stars' positions are their records'
};

class StarGrid {
 public:
  // Stars with a coordinate beyond this many light years (or not finite)
  // go into the never-skipped blocks, so the box tests cannot overflow.
  static constexpr double kLargestBoxedCoordinate = 1e15;
  // Aimed-at stars per grid cell, and most stars in one block.
  static constexpr int32_t kStarsPerCell = 256;
  static constexpr uint32_t kMaxBlockStars = 1024;
  // Most stars a grid holds, as many as a map file can.
  static constexpr int32_t kMaxStars = (1 << GridStar::kIndexBits) - 1;

  // Copies the positions of stars[0, count) and groups them, and notes which
  // have a name; every code is kDrawNothing until RefreshCodes. The records
  // must stay in place, their positions unchanged, while the grid is used.
  // False, leaving the grid empty, when the memory for it is not to be had or
  // count is over kMaxStars.
  bool Build(const StarEntry* stars, int32_t count);
  void Clear();

  // Sets every star's code from its record's dDistance and dAppMagnitude
  // (stars, the array the grid was built from) and puts the stars that draw
  // something first in their block. On the way, marks in LabelBits the
  // stars that may get a label (MayGetLabel). Throws std::bad_alloc, with
  // the codes unchanged, when the memory for a code per star is not to be had.
  void RefreshCodes(const StarEntry* stars, bool byMagnitude);

  int32_t Count() const { return static_cast<int32_t>(m_stars.size()); }
  const std::vector<GridBlock>& Blocks() const { return m_blocks; }
  const GridStar* Stars() const { return m_stars.data(); }
  // The position of a star of block, exactly its record's.
  Vector3D PositionOf(const GridStar& star, const GridBlock& block) const {
    return block.fromRecords ? m_records[star.Index()].vPos : MillionthsPosition(star);
  }
  // The StarDrawCode of a star, as of the last RefreshCodes.
  int32_t CodeOf(const GridStar& star) const {
    const PackedCode code = star.Code();
    if (code != kRereadCode) return code;
    const StarEntry& record = m_records[star.Index()];
    return StarDrawCode(record.dDistance, record.dAppMagnitude, m_byMagnitude);
  }
  static Vector3D MillionthsPosition(const GridStar& star) {
    return {static_cast<double>(star.x) * 1e-6, static_cast<double>(star.y) * 1e-6,
            static_cast<double>(star.z) * 1e-6};
  }
  // By catalogue index, as of the last RefreshCodes.
  const IndexBits& LabelBits() const { return m_labelBits; }

 private:
  void MakeBlocks(const std::vector<uint32_t>& keyEnds, uint32_t millionthsKeys, uint32_t unboxedKey);

  const StarEntry* m_records = nullptr;
  bool m_byMagnitude = false;  // of the last RefreshCodes
  std::vector<GridStar> m_stars;
  std::vector<GridBlock> m_blocks;
  IndexBits m_named;  // by catalogue index: the record has a name
  IndexBits m_labelBits;
};
