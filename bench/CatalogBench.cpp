// The catalogue's passes over the whole array: every star's projection, and
// every star's distance and apparent magnitude.
#include <benchmark/benchmark.h>

#include "BenchMaps.h"
#include "BenchSizes.h"

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

void Magnitudes(benchmark::State& state) {
  StarCatalog& catalog = BenchCatalogue(state.range(0));
  const BenchObserver observer = StandardObserver();
  catalog.UpdateMagnitudes(observer.position);  // the compact copy is made at the first call after a load
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    catalog.UpdateMagnitudes(observer.position);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(Project)->Apply(StarCounts)->Unit(benchmark::kMillisecond);
BENCHMARK(Magnitudes)->Apply(StarCounts)->Unit(benchmark::kMillisecond);

}  // namespace
