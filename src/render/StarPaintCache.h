// StarPaintCache: what the view keeps between recomputing paints so that a
// frame need not walk the record array: the star grid with its draw codes,
// the stars that may get a label with their positions and exact distances
// and magnitudes, and the grid pass. It follows the catalogue's stamps, so it
// is rebuilt whenever the positions (and with them the names) change, and its
// codes and labels made again whenever the distances and magnitudes do: for
// the catalogue's deferred position, without the records' own values.
//
// A paint from the cache leaves the records' projected fields (dProjX, dProjY,
// bVisible) as they were: its label pass projects the stars it labels for
// itself, and nothing else reads those fields.
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
  // Brings the cache up to date with catalog. False, with the cache empty,
  // when there is no memory for the grid: the caller then paints from the
  // records.
  bool Prepare(const StarCatalog& catalog);

  // Draws the stars with an index below drawCount into target (cleared),
  // for setup: by magnitude with byMagnitude, else each as one white pixel;
  // grey, or in the colours of their classes when colours is given.
  void PaintStars(const ProjectionSetup& setup, int32_t drawCount, const ScreenFrame& frame,
                  StarFrame& target, bool byMagnitude, const StarColours* colours) {
    m_paint.Paint(m_grid, setup, drawCount, frame, target, byMagnitude, colours);
  }

  // The label pass over the stars (the records) with an index below
  // drawCount that may get a text with flags, projected for setup: their
  // texts are chosen on all cores and drawn in catalogue order. Returns the
  // number of texts drawn.
  int DrawLabels(const StarEntry* stars, int32_t drawCount, const ProjectionSetup& setup,
                 const ScreenFrame& frame, const LabelFlags& flags, ViewPlatform& platform,
                 PixelBuffer& target);

 private:
  // A star that may get a label: where it is, and which texts it may get.
  struct LabelStar {
    Vector3D pos;
    double distance;   // its dDistance for the catalogue's position
    double magnitude;  // its dAppMagnitude for the catalogue's position
    int32_t index;
    bool bright;  // magnitude below 3: may get its distance
    bool named;   // a name and a magnitude below 5: may get its name
  };

  void FindLabelStars(const StarCatalog& catalog);

  StarGrid m_grid;
  GridPaint m_paint;
  std::vector<LabelStar> m_labelStars;           // by catalogue index, ascending
  std::vector<std::vector<StarLabel>> m_chosen;  // per thread, the texts of the last label pass
  uint64_t m_positionsStamp = 0;                 // 0: nothing built
  uint64_t m_magnitudesStamp = 0;
};
