// Loading a map from memory, and its yardstick: reading the map's bytes once
// and writing every record of a freshly allocated array once, on all cores,
// with the array allocated exactly as the loader allocates it.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchMaps.h"
#include "BenchSizes.h"
#include "catalog/StarArray.h"
#include "parallel/ParallelRange.h"

namespace {

void Load(benchmark::State& state) {
  const Bytes& bytes = BenchMapBytes(state.range(0));
  StarCatalog catalog;
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    if (!catalog.LoadStarMap(bytes.data(), bytes.size())) state.SkipWithError("map rejected");
    benchmark::DoNotOptimize(catalog.m_pStars);
  }
}

// Sums the 8-byte words of bytes [begin, end), whole words only.
uint64_t SumWords(const unsigned char* begin, const unsigned char* end) {
  uint64_t sum = 0;
  for (; end - begin >= 8; begin += 8) {
    uint64_t word;
    std::memcpy(&word, begin, 8);
    sum += word;
  }
  return sum;
}

void LoadBound(benchmark::State& state) {
  const Bytes& bytes = BenchMapBytes(state.range(0));
  const auto count = static_cast<size_t>(state.range(0));
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    StarEntry* stars = AllocateStarArray(count);
    if (!stars) {
      state.SkipWithError("no memory for the records");
      break;
    }
    // Each range reads its share of the bytes, then writes its records in full.
    ForEachChunk(state.range(0), StarCatalog::kMinStarsPerThread, [&](int64_t begin, int64_t end) {
      const unsigned char* data = bytes.data();
      const uint64_t sum = SumWords(data + bytes.size() * begin / count, data + bytes.size() * end / count);
      StarEntry record{};
      record.nCatalogNumber = static_cast<int32_t>(sum);
      for (int64_t i = begin; i < end; ++i) {
        stars[i] = record;
        stars[i].vPos.x = static_cast<double>(i);
      }
    });
    benchmark::DoNotOptimize(stars);
    benchmark::ClobberMemory();
    ReleaseStarArray(stars, count);
  }
}

BENCHMARK(Load)->Apply(StarCounts)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadBound)->Apply(StarCounts)->Unit(benchmark::kMillisecond);

}  // namespace
