// The passes over the whole catalogue: every star's projection, and the
// magnitude refresh that gives every star its draw code.
#include <benchmark/benchmark.h>

#include "BenchMaps.h"
#include "BenchSizes.h"
#include "render/StarPaintCache.h"

namespace {

void Project(benchmark::State& state) {
  StarCatalog& catalog = BenchCatalogue(state.range(0));
  const BenchObserver observer = StandardObserver();
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    catalog.ProjectStars(observer.position, observer.basis.forward, observer.basis.right * observer.zoom,
                         observer.basis.down * observer.zoom);
    benchmark::ClobberMemory();
  }
}

// The magnitude refresh for a new position as a paint sees it: the
// catalogue's new position, then the star grid's draw codes and the label
// candidates with their exact values.
void Magnitudes(benchmark::State& state) {
  StarCatalog& catalog = BenchCatalogue(state.range(0));
  const BenchObserver observer = StandardObserver();
  static StarPaintCache cache;  // its grid is built at the first Prepare after a load
  catalog.UpdateMagnitudes(observer.position);
  if (!cache.Prepare(catalog)) state.SkipWithError("no memory for the star grid");
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    catalog.UpdateMagnitudes(observer.position);
    cache.Prepare(catalog);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(Project)->Apply(StarCounts)->Unit(benchmark::kMillisecond);
BENCHMARK(Magnitudes)->Apply(StarCounts)->Unit(benchmark::kMillisecond);

}  // namespace
