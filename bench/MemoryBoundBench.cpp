// The yardstick for the passes over the catalogue: one pass on all cores that
// reads each record's position and writes its projected fields, nothing else.
// Every whole-catalogue benchmark is also read as a ratio to this one.
#include <benchmark/benchmark.h>

#include "BenchMaps.h"
#include "BenchSizes.h"
#include "parallel/ParallelRange.h"

namespace {

void MemoryBound(benchmark::State& state) {
  StarCatalog& catalog = BenchCatalogue(state.range(0));
  StarEntry* stars = catalog.m_pStars;
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    ForEachChunk(catalog.m_nStars, StarCatalog::kMinStarsPerThread, [&](int64_t begin, int64_t end) {
      for (int64_t i = begin; i < end; ++i) {
        StarEntry& star = stars[i];
        star.dProjX = star.vPos.x;
        star.dProjY = star.vPos.y;
        star.bVisible = star.vPos.z > 0.0;
      }
    });
    benchmark::ClobberMemory();
  }
}

BENCHMARK(MemoryBound)->Apply(StarCounts)->Unit(benchmark::kMillisecond);

}  // namespace
