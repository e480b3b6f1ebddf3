// StarPaintCache: what the view keeps between recomputing paints so that a
// frame need not walk the record array: the star grid with its draw codes,
// the stars that may get a label, and the grid pass with the writes of the
// last frame. It follows the catalogue's stamps, so it is rebuilt whenever
// the positions, distances or magnitudes of the records change.
//
// A paint from the cache leaves the records' projected fields as they were,
// except for the stars that may get a label, which the label pass projects
// before it reads them; nothing else reads those fields.
#pragma once

#include <cstdint>
#include <vector>

#include "catalog/StarCatalog.h"
#include "catalog/StarKernels.h"
#include "render/GridPaint.h"
#include "render/LabelPass.h"
#include "render/StarGrid.h"

class StarPaintCache {
 public:
  // Brings the cache up to date with catalog and the drawing mode. False,
  // with the cache empty, when there is no memory for the grid: the caller
  // then paints from the records.
  bool Prepare(const StarCatalog& catalog, bool byMagnitude);

  // Clears the star buffer and its drawn-star map (words each) and draws the
  // stars with an index below drawCount into them, for setup.
  void PaintStars(const ProjectionSetup& setup, int32_t drawCount, const ScreenFrame& frame, uint16_t* bits,
                  int32_t* drawn, size_t words);
  // Something else wrote into the star buffer since the last PaintStars.
  void ForgetWrites() { m_paint.ForgetWrites(); }
  // The words the last PaintStars wrote, each once; nullopt when unknown.
  std::optional<std::span<const uint32_t>> LastWrites() const { return m_paint.LastWrites(); }

  // The label pass over the stars that may get a label, projected for
  // setup on the way, in catalogue order. Returns the number of texts drawn.
  int DrawLabels(StarEntry* stars, int32_t drawCount, const ProjectionSetup& setup, const ScreenFrame& frame,
                 const LabelFlags& flags, ViewPlatform& platform, PixelBuffer& target) const;

 private:
  void FindLabelStars(const StarCatalog& catalog);

  StarGrid m_grid;
  GridPaint m_paint;
  std::vector<int32_t> m_labelStars;  // catalogue indices, ascending
  uint64_t m_positionsStamp = 0;      // 0: nothing built
  uint64_t m_magnitudesStamp = 0;
  bool m_byMagnitude = false;
};
