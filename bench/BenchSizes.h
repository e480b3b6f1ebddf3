// The sizes every benchmark runs at, and the per-star figures they report.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

#include "BenchMaps.h"

// N: the shipped map, 100,000, 1,000,000 and 16,777,215 stars.
inline constexpr int64_t kBenchStarCounts[] = {kShippedMapStars, kHundredThousand, kMillion, kLargestMap};

inline void StarCounts(benchmark::internal::Benchmark* benchmark) {
  for (int64_t count : kBenchStarCounts) benchmark->Arg(count);
}

// Every N at 1920 x 1080.
inline void FullHdSizes(benchmark::internal::Benchmark* benchmark) {
  for (int64_t count : kBenchStarCounts) benchmark->Args({count, 1920, 1080});
}

// Declared right before the benchmark loop of a benchmark whose first
// argument is N: when the loop is over, reports the wall-clock nanoseconds
// per star. (The library's own rates would use the main thread's CPU time,
// which leaves out the work of the other threads.)
class PerStarTimer {
 public:
  explicit PerStarTimer(benchmark::State& state)
      : m_state(state), m_start(std::chrono::steady_clock::now()) {}
  ~PerStarTimer() {
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - m_start;
    const double stars = static_cast<double>(m_state.iterations()) * static_cast<double>(m_state.range(0));
    if (stars > 0) m_state.counters["ns_per_star"] = elapsed.count() / stars;
  }
  PerStarTimer(const PerStarTimer&) = delete;
  PerStarTimer& operator=(const PerStarTimer&) = delete;

 private:
  benchmark::State& m_state;
  const std::chrono::steady_clock::time_point m_start;
};
