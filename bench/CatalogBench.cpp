// Throughput of the catalogue's three whole-array operations: loading a map
// from memory, projecting every star, and every star's distance and magnitude.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

#include "MapBytes.h"
#include "catalog/StarCatalog.h"
#include "geometry/ViewBasis.h"

namespace {

constexpr int64_t kShippedMap = 104741;  // stars in data/map.smp
constexpr int64_t kMillion = 1000000;
constexpr int64_t kLargest = 16777215;

// A map of minimal records at random positions within +-2147 light years,
// built once per size and kept for the whole run.
const Bytes& RandomMap(int64_t count) {
  static std::map<int64_t, Bytes> maps;
  Bytes& bytes = maps[count];
  if (bytes.empty()) {
    std::mt19937 random(static_cast<uint32_t>(count));
    std::uniform_int_distribution<int32_t> coordinate(-2147000000, 2147000000);
    std::uniform_int_distribution<int32_t> magnitude(-10000000, 20000000);
    bytes = MapHeader(static_cast<uint32_t>(count));
    bytes.reserve(bytes.size() + static_cast<size_t>(count) * 21);
    for (int64_t i = 0; i < count; ++i)
      AppendMinimalRecord(bytes, static_cast<uint32_t>(i), coordinate(random), coordinate(random),
                          coordinate(random), magnitude(random));
  }
  return bytes;
}

// One loaded catalogue per size, shared by the two passes.
StarCatalog& LoadedCatalogue(int64_t count) {
  static std::map<int64_t, std::unique_ptr<StarCatalog>> catalogues;
  std::unique_ptr<StarCatalog>& catalog = catalogues[count];
  if (!catalog) {
    catalog = std::make_unique<StarCatalog>();
    const Bytes& bytes = RandomMap(count);
    catalog->LoadStarMap(bytes.data(), bytes.size());
  }
  return *catalog;
}

void BM_LoadStarMap(benchmark::State& state) {
  const Bytes& bytes = RandomMap(state.range(0));
  StarCatalog catalog;
  for (auto _ : state) {
    if (!catalog.LoadStarMap(bytes.data(), bytes.size())) state.SkipWithError("map rejected");
    benchmark::DoNotOptimize(catalog.m_pStars);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void BM_ProjectStars(benchmark::State& state) {
  StarCatalog& catalog = LoadedCatalogue(state.range(0));
  const ViewBasis basis = ComputeBasis(1.0, 0.5);
  const Vector3D position(12.5, -3.0, 40.0);
  const double zoom = 2.0;
  for (auto _ : state) {
    catalog.ProjectStars(position, basis.forward, basis.right * zoom, basis.down * zoom);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_UpdateMagnitudes(benchmark::State& state) {
  StarCatalog& catalog = LoadedCatalogue(state.range(0));
  const Vector3D position(12.5, -3.0, 40.0);
  for (auto _ : state) {
    catalog.UpdateMagnitudes(position);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LoadStarMap)->Arg(kMillion)->Arg(kLargest)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProjectStars)
    ->Arg(kShippedMap)
    ->Arg(kMillion)
    ->Arg(kLargest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_UpdateMagnitudes)
    ->Arg(kShippedMap)
    ->Arg(kMillion)
    ->Arg(kLargest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
