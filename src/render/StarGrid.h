// StarGrid: the compact copy of the catalogue that a recomputing paint walks
// instead of the records. Each star keeps its position, its absolute
// magnitude, its catalogue index and how it is drawn; the stars are grouped by a uniform grid over their
// positions into blocks with a bounding box, so that a block wholly outside
// the view is skipped in one test.
//
// A map file stores each coordinate and the absolute magnitude as whole
// millionths, and the records hold those numbers times 1e-6: the grid keeps
// the whole numbers, 16 bytes a star instead of 32 (the magnitudes apart
// from the positions, which a paint reads alone), and makes the records'
// doubles from them exactly. Stars whose values are not such products
// (records not read from a map) go into blocks of their own, whose values
// are read from the records.
//
// Within a block the stars are in the order of their absolute magnitudes,
// so that a magnitude refresh settles the faint end of a distant block in
// one step.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "catalog/Millionths.h"
#include "catalog/StarEntry.h"
#include "geometry/Vector3D.h"
#include "render/IndexBits.h"
#include "render/StarPlot.h"

// A code of StarDrawCode in a byte: the codes from -127 (discs of up to 127
// pixels) to 3; kRereadCode for a larger disc, whose code is read again from
// the record (worked out again for the refresh's position); kNearCode for a
// star nearer than kNearestDrawnDistance, which is drawn in no mode.
using PackedCode = int8_t;
inline constexpr PackedCode kRereadCode = -128;
inline constexpr PackedCode kNearCode = 127;

// The packed code of a star of class magnitudeClass.
inline PackedCode PackedCodeOfClass(uint8_t magnitudeClass) {
  if (magnitudeClass == kClassNear) return kNearCode;
  if (magnitudeClass == kClassLowerStill) return kRereadCode;
  return static_cast<PackedCode>(ClassDrawCode(magnitudeClass));
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

// Stars [begin, end) of the grid, all inside the box low..high, in the
// order of their absolute magnitudes where they are whole millionths; none
// from drawEnd on draws anything by magnitude. A block of stars with positions
// too large or not finite for a box has bounded false and is never skipped.
struct GridBlock {
  Vector3D low;
  Vector3D high;
  uint32_t begin;
  uint32_t end;
  uint32_t drawEnd;
  bool bounded;
  bool fromRecords;  // its stars' positions and absolute magnitudes are their records'
  bool nearCodes;    // some star has kNearCode
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

  // Sets every star's code by magnitude: for the observer at position, the
  // code of the distance and magnitude UpdateStarMagnitude gives it (when
  // position is null, that of its record's dDistance and dAppMagnitude), and
  // kNearCode for the stars too near to be drawn. A block's stars that its
  // distance makes too faint, whatever their absolute magnitude beyond a
  // bound, are settled together. On the way, marks in LabelBits the stars
  // that may get a label.
  void RefreshCodes(const StarEntry* stars, const Vector3D* position);

  int32_t Count() const { return static_cast<int32_t>(m_stars.size()); }
  const std::vector<GridBlock>& Blocks() const { return m_blocks; }
  const GridStar* Stars() const { return m_stars.data(); }
  // The position of a star of block, exactly its record's.
  Vector3D PositionOf(const GridStar& star, const GridBlock& block) const {
    return block.fromRecords ? m_records[star.Index()].vPos : MillionthsPosition(star);
  }
  // The StarDrawCode by magnitude of a star, as of the last RefreshCodes.
  int32_t CodeOf(const GridStar& star) const {
    const PackedCode code = star.Code();
    if (code == kNearCode) return kDrawNothing;
    if (code != kRereadCode) return code;
    return RereadCode(m_records[star.Index()]);
  }
  // The StarDrawCode of a star with the magnitudes not drawn: one white
  // pixel unless it is too near.
  static int32_t WhiteCodeOf(const GridStar& star) {
    return star.Code() == kNearCode ? kDrawNothing : kDrawWhite;
  }
  static Vector3D MillionthsPosition(const GridStar& star) {
    return {FromMillionths(star.x), FromMillionths(star.y), FromMillionths(star.z)};
  }
  // By catalogue index, as of the last RefreshCodes.
  const IndexBits& LabelBits() const { return m_labelBits; }

 private:
  void MakeBlocks(const std::vector<uint32_t>& keyEnds, uint32_t millionthsKeys, uint32_t unboxedKey);
  void SortByAbsoluteMagnitude(const GridBlock& block, std::vector<std::pair<int32_t, GridStar>>& order);
  void RefreshBlock(GridBlock& block);
  int32_t RereadCode(const StarEntry& record) const;

  const StarEntry* m_records = nullptr;
  Vector3D m_position;  // of the last RefreshCodes, when m_fromPosition
  bool m_fromPosition = false;
  std::vector<GridStar> m_stars;
  std::vector<int32_t> m_absMagnitudes;  // of m_stars, in millionths, in blocks not fromRecords
  std::vector<GridBlock> m_blocks;
  IndexBits m_named;  // by catalogue index: the record has a name
  IndexBits m_labelBits;
};
