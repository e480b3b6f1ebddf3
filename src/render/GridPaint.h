// GridPaint: the star pass of a recomputing paint, over the star grid instead
// of the records. Blocks outside the view are skipped whole; the stars of the
// others are projected and drawn in any order and on any thread, each pixel
// keeping the write of the star with the highest catalogue index, which is
// what drawing the records in catalogue order leaves there. It also clears
// the buffers for the next paint, touching only the words the last one wrote.
//
// With many stars the pass works in two steps, so that the buffers are not
// written at random: the threads project the stars and sort those that land
// in the buffer into bands of rows, then each band is drawn by one thread,
// its rows staying in the core's cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalog/StarKernels.h"
#include "render/ScreenMapping.h"
#include "render/StarGrid.h"

class StarColours;
class ViewFrustum;

// A star buffer with its drawn-star map, written by the rule "the higher
// catalogue index wins", noting every word it writes first.
struct HighestIndexTarget {
  uint16_t* bits;
  int32_t* drawn;  // DrawnStarMap::kNoStar where nothing is drawn
  uint32_t* written;
  size_t writtenCount;
  size_t writtenCapacity;  // past it, the words are counted but not noted

  void Fill(size_t begin, size_t end, uint16_t value, int32_t star) {
    for (size_t word = begin; word < end; ++word) Plot(word, value, star);
  }
  void Plot(size_t word, uint16_t value, int32_t star) {
    const int32_t held = drawn[word];
    if (star <= held) return;
    if (held < 0) Note(word);
    bits[word] = value;
    drawn[word] = star;
  }
  void Note(size_t word) {
    if (writtenCount < writtenCapacity) written[writtenCount] = static_cast<uint32_t>(word);
    ++writtenCount;
  }
  bool AllNoted() const { return writtenCount <= writtenCapacity; }
};

// How the pass shares out its work. The defaults suit the view; the tests
// and the fuzz target use small values to reach every path with few stars.
struct GridPaintSplit {
  unsigned workers = 0;               // 0: one per hardware thread
  uint32_t minStarsForBands = 32768;  // with fewer stars to draw, the calling thread draws them straight
  uint32_t roundStars = 1u << 18;     // stars sorted into bands before the bands are drawn
  uint32_t bandWords = 1u << 16;      // pixels of a band, in whole rows (at least one)
};

class GridPaint {
 public:
  // Makes bits and drawn (words each) blank: only the words the last Paint
  // into them wrote, unless something else may have written there since.
  void ClearFrame(uint16_t* bits, int32_t* drawn, size_t words);
  // Something other than Paint wrote into the buffers: the next ClearFrame
  // clears them whole.
  void ForgetWrites() { m_wholeClear = true; }
  // ORs labels (words long) into bits, the pixels of the last Paint, noting
  // the words it lights beyond those, so that the next ClearFrame need not
  // clear the whole frame.
  void MergeLabels(uint16_t* bits, const uint16_t* labels, size_t words);

  // Draws the stars of grid with an index below drawCount, projected for
  // setup, into bits and drawn (frame.width x frame.height, cleared by
  // ClearFrame): grey, or in the colours of their classes when colours is
  // given.
  void Paint(const StarGrid& grid, const ProjectionSetup& setup, int32_t drawCount, const ScreenFrame& frame,
             uint16_t* bits, int32_t* drawn, const StarColours* colours = nullptr,
             const GridPaintSplit& split = {});

 private:
  // A star that lands in the buffer: its pixel, catalogue index and code.
  struct BinnedStar {
    uint32_t word;
    int32_t index;
    int32_t code;
  };
  using Bands = std::vector<std::vector<BinnedStar>>;

  // Thread k's target, drawing into bits and drawn (words each).
  HighestIndexTarget& Target(size_t k, uint16_t* bits, int32_t* drawn, size_t words);
  // Draws the stars of blocks [begin, end) through thread 0's target, on the
  // calling thread.
  void DrawStraight(const StarGrid& grid, size_t begin, size_t end, const ProjectionSetup& setup,
                    int32_t drawCount, const ScreenFrame& frame, const ViewFrustum& frustum,
                    const StarColours* colours);

  uint16_t* m_bits = nullptr;  // the frame ClearFrame prepared
  int32_t* m_drawn = nullptr;
  size_t m_words = 0;
  bool m_wholeClear = true;
  // Per thread: where it draws, noting the words it writes first, and the
  // stars it sorted into each band.
  std::vector<HighestIndexTarget> m_targets;
  std::vector<std::vector<uint32_t>> m_written;
  std::vector<Bands> m_bands;
};
