// The sizes every benchmark runs at, and the per-star figures they report.
#pragma once

#include <benchmark/benchmark.h>

#include "BenchMaps.h"

// N: the shipped map, 100,000, 1,000,000 and 16,777,215 stars.
inline constexpr int64_t kBenchStarCounts[] = {kShippedMapStars, kHundredThousand, kMillion, kLargestMap};

inline void StarCounts(benchmark::internal::Benchmark* benchmark) {
  for (int64_t count : kBenchStarCounts) benchmark->Arg(count);
}

// Stars per second, and nanoseconds per star, for a benchmark whose first argument is N.
inline void ReportPerStar(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * state.range(0));
  const double gigaStars = static_cast<double>(state.iterations() * state.range(0)) * 1e-9;
  state.counters["ns_per_star"] =
      benchmark::Counter(gigaStars, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
