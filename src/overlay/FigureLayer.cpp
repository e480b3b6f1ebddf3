// Drawing the figures: lines between matched stars, names at the centres.
#include "overlay/FigureLayer.h"

#include "geometry/Projection.h"
#include "overlay/FigureStarMatch.h"
#include "overlay/SpaceLine.h"

void FigureLayer::SetFigures(std::vector<ConstellationFigure> figures) {
  m_figures = std::move(figures);
  m_firstStar.clear();
  size_t stars = 0;
  for (const ConstellationFigure& figure : m_figures) {
    m_firstStar.push_back(stars);
    stars += figure.stars.size();
  }
  m_matchedStamp = 0;
  m_matchedStars = nullptr;
}

void FigureLayer::Match(const StarCatalog& catalog) {
  if (m_matchedStamp != 0 && catalog.PositionsStamp() == m_matchedStamp &&
      catalog.m_pStars == m_matchedStars && catalog.m_nStars == m_matchedCount)
    return;
  m_starIndex = MatchFigureStars(m_figures, catalog.m_pStars, catalog.m_nStars);
  m_matchedStamp = catalog.PositionsStamp();
  m_matchedStars = catalog.m_pStars;
  m_matchedCount = catalog.m_nStars;
}

int32_t FigureLayer::StarIndex(const StarCatalog& catalog, size_t f, size_t s) {
  Match(catalog);
  return m_starIndex[m_firstStar[f] + s];
}

void FigureLayer::DrawLines(const StarCatalog& catalog, const ProjectionSetup& setup,
                            const ScreenFrame& frame, OverlayCanvas& canvas) {
  Match(catalog);
  for (size_t f = 0; f < m_figures.size(); ++f) {
    const int32_t* index = m_starIndex.data() + m_firstStar[f];
    for (const FigureLine& line : m_figures[f].lines) {
      if (index[line.from] < 0 || index[line.to] < 0) continue;  // the map lacks a star of it
      ScreenPoint from{};
      ScreenPoint to{};
      if (ProjectSpaceLine(catalog.m_pStars[index[line.from]].vPos, catalog.m_pStars[index[line.to]].vPos,
                           setup, frame, from, to))
        canvas.Line(from, to, kFigureLineColour);
    }
  }
}

int FigureLayer::DrawNames(const StarCatalog& catalog, const ProjectionSetup& setup, const ScreenFrame& frame,
                           ViewPlatform& platform, OverlayCanvas& canvas) {
  Match(catalog);
  int drawn = 0;
  for (size_t f = 0; f < m_figures.size(); ++f) {
    Vector3D sum;
    int stars = 0;
    for (size_t s = 0; s < m_figures[f].stars.size(); ++s)
      if (const int32_t index = m_starIndex[m_firstStar[f] + s]; index >= 0) {
        sum = sum + catalog.m_pStars[index].vPos;
        ++stars;
      }
    ProjectedPoint centre{};
    if (stars == 0 || !ProjectPoint(sum / stars, setup.position, setup.forward, setup.scaledRight,
                                    setup.scaledDown, centre))
      continue;
    int32_t x = 0;
    int32_t y = 0;  // the label line, counted from the top, as the star labels place theirs
    if (!ToScreenCoordinate(centre.x, kPixelsPerUnit, frame.centerX, x) ||
        !ToScreenCoordinate(centre.y, kPixelsPerUnit, frame.centerY, y) || x < 0 || y < 0 ||
        x >= frame.width || y >= frame.height)
      continue;
    canvas.Text(platform, x, y, m_figures[f].name, kFigureNameColorRef);
    ++drawn;
  }
  return drawn;
}
