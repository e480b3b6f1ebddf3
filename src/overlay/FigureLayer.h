// FigureLayer: the constellation figures as a layer of the paint. Its data
// is the figures file's content, matched to the map's stars once per set of
// positions; its draw steps are the lines between the stars' positions in
// space and each figure's name at the centre of its stars.
#pragma once

#include <cstdint>
#include <vector>

#include "catalog/StarCatalog.h"
#include "catalog/StarKernels.h"
#include "overlay/FigureFile.h"
#include "overlay/OverlayCanvas.h"
#include "render/ScreenMapping.h"
#include "render/ViewPlatform.h"

// The figures' own colours: dim blue lines, names a lighter blue.
inline constexpr uint16_t kFigureLineColour = (5 << 10) | (9 << 5) | 16;
inline constexpr uint32_t kFigureNameColorRef = 0xC08050;

class FigureLayer {
 public:
  void SetFigures(std::vector<ConstellationFigure> figures);
  bool HasFigures() const { return !m_figures.empty(); }

  void DrawLines(const StarCatalog& catalog, const ProjectionSetup& setup, const ScreenFrame& frame,
                 OverlayCanvas& canvas);
  // Returns the number of names drawn.
  int DrawNames(const StarCatalog& catalog, const ProjectionSetup& setup, const ScreenFrame& frame,
                ViewPlatform& platform, OverlayCanvas& canvas);

  // The catalogue index showing star s of figure f; -1 where the map has none.
  int32_t StarIndex(const StarCatalog& catalog, size_t f, size_t s);

 private:
  void Match(const StarCatalog& catalog);

  std::vector<ConstellationFigure> m_figures;
  std::vector<size_t> m_firstStar;   // per figure, where its stars begin in m_starIndex
  std::vector<int32_t> m_starIndex;  // per figure star, the matched catalogue index
  uint64_t m_matchedStamp = 0;       // the positions matched: 0 for none
  const StarEntry* m_matchedStars = nullptr;
  int32_t m_matchedCount = 0;
};
