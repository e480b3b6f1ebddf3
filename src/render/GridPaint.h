// GridPaint: the star pass of a recomputing paint, over the star grid instead
// of the records. Blocks outside the view are skipped whole; the stars of the
// others are projected and drawn in any order and on any thread, each pixel
// keeping the write of the star with the highest catalogue index, which is
// what drawing the records in catalogue order leaves there. It writes through
// the frame's targets, which note the words for the next Clear.
//
// With many stars the pass works in two steps, so that the buffers are not
// written at random: the threads project the stars and sort those that land
// in the buffer into bands of rows, then each band is drawn by one thread,
// its rows staying in the core's cache. A frame of white pixels alone (the
// magnitudes not drawn) is drawn by all threads into the whole frame at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalog/StarKernels.h"
#include "render/ScreenMapping.h"
#include "render/StarFrame.h"
#include "render/StarGrid.h"

class StarColours;
class ViewFrustum;

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
  // Draws the stars of grid with an index below drawCount, projected for
  // setup, into target (frame.width x frame.height, cleared): by their codes
  // with byMagnitude, else each as one white pixel; grey, or in the colours
  // of their classes when colours is given.
  void Paint(const StarGrid& grid, const ProjectionSetup& setup, int32_t drawCount, const ScreenFrame& frame,
             StarFrame& target, bool byMagnitude = true, const StarColours* colours = nullptr,
             const GridPaintSplit& split = {});

 private:
  // A star that lands in the buffer: its pixel, catalogue index and code.
  struct BinnedStar {
    uint32_t word;
    int32_t index;
    int32_t code;
  };
  using Bands = std::vector<std::vector<BinnedStar>>;

  // Draws the stars of blocks [begin, end) through thread 0's target, on the
  // calling thread.
  void DrawStraight(const StarGrid& grid, size_t begin, size_t end, const ProjectionSetup& setup,
                    int32_t drawCount, const ScreenFrame& frame, const ViewFrustum& frustum, bool byMagnitude,
                    HighestIndexTarget& target, const StarColours* colours);

  // Every star of the paint as one white pixel, the threads drawing into the
  // whole frame side by side (no bands: each raises a drawn-star map of its
  // own, merged at the end).
  void DrawWhiteShared(const StarGrid& grid, const ProjectionSetup& setup, int32_t drawCount,
                       const ScreenFrame& frame, const ViewFrustum& frustum, StarFrame& target,
                       unsigned threads);

  // Per thread: the stars it sorted into each band.
  std::vector<Bands> m_bands;
};
