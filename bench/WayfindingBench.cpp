// PaintWayfinding/N/width/height: the recomputing paint of Paint with the
// constellation figures, the galactic grid and a selected star's marker on,
// to be read beside Paint. The shipped map holds the figures' stars; on the
// random maps the first records are moved to the figure stars' positions
// (and given their catalogue numbers) for the run, so that every map shows
// all the figures, and put back afterwards.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchSizes.h"
#include "BenchView.h"
#include "overlay/FigureFile.h"

namespace {

const std::vector<ConstellationFigure>& ShippedFigures() {
  static const FigureFileResult read = ReadFigureFile(VANTARO_SHIPPED_FIGURES);
  return read.figures;
}

// Puts the figure stars into the first records of catalog, keeping the records it replaced.
class FigureStarsInMap {
 public:
  FigureStarsInMap(StarCatalog& catalog, bool shippedMap) : m_catalog(catalog) {
    if (shippedMap) return;
    for (const ConstellationFigure& figure : ShippedFigures())
      for (const FigureStar& star : figure.stars) {
        if (m_kept.size() >= static_cast<size_t>(catalog.m_nStars)) break;
        StarEntry& record = catalog.m_pStars[m_kept.size()];
        m_kept.push_back(record);
        record.vPos = star.position;
        record.nCatalogNumber = star.catalogNumber;
      }
    catalog.PositionsChanged();
  }
  ~FigureStarsInMap() {
    if (m_kept.empty()) return;
    std::copy(m_kept.begin(), m_kept.end(), m_catalog.m_pStars);
    m_catalog.PositionsChanged();
    m_catalog.UpdateMagnitudes(StandardObserver().position);
  }
  FigureStarsInMap(const FigureStarsInMap&) = delete;
  FigureStarsInMap& operator=(const FigureStarsInMap&) = delete;

 private:
  StarCatalog& m_catalog;
  std::vector<StarEntry> m_kept;
};

void PaintWayfinding(benchmark::State& state) {
  const int64_t count = state.range(0);
  FigureStarsInMap figureStars(BenchCatalogue(count), count == kShippedMapStars);
  BenchView bench(count, static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
  CSkyglassView& view = bench.view;
  view.SetFigures(ShippedFigures());
  view.m_display.figures = 1;
  view.m_display.grid = 1;
  view.Select(0);  // the Sun on the shipped map: behind the standard observer, at the edge
  view.m_bProjectionDirty = 1;
  view.OnDraw();  // the figures are matched to the map's stars once, at their first paint
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    view.m_bProjectionDirty = 1;
    view.OnDraw();
    benchmark::ClobberMemory();
  }
}

BENCHMARK(PaintWayfinding)->Apply(FullHdSizes)->Unit(benchmark::kMillisecond);

}  // namespace
