// Throughput of the star pass: RenderStars over random projected stars into
// a 640 x 480 and a 1920 x 1080 buffer.
#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <vector>

#include "render/PixelBuffer.h"
#include "render/StarRasterizer.h"

namespace {

constexpr int64_t kMillion = 1000000;
constexpr int64_t kLargest = 16777215;

// Projected stars spread over the larger view and a little beyond it, nine in
// ten visible, magnitudes around 8 (about one in twenty bright enough for a
// disc). Built once per count and kept for the whole run.
const std::vector<StarEntry>& RandomStars(int64_t count) {
  static std::map<int64_t, std::vector<StarEntry>> sets;
  std::vector<StarEntry>& stars = sets[count];
  if (stars.empty()) {
    std::mt19937 random(static_cast<uint32_t>(count));
    std::uniform_real_distribution<double> projX(-2.2, 2.2);
    std::uniform_real_distribution<double> projY(-1.3, 1.3);
    std::uniform_real_distribution<double> distance(0.0, 1000.0);
    std::normal_distribution<double> magnitude(8.0, 3.0);
    std::bernoulli_distribution visible(0.9);
    stars.resize(static_cast<size_t>(count));
    for (StarEntry& star : stars) {
      star.dProjX = projX(random);
      star.dProjY = projY(random);
      star.dDistance = distance(random);
      star.dAppMagnitude = magnitude(random);
      star.bVisible = visible(random) ? 1 : 0;
    }
  }
  return stars;
}

// Arguments: star count, buffer width, buffer height.
void BM_RenderStars(benchmark::State& state) {
  const std::vector<StarEntry>& stars = RandomStars(state.range(0));
  const int width = static_cast<int>(state.range(1));
  const int height = static_cast<int>(state.range(2));
  PixelBuffer buffer(width, height);
  const ScreenFrame frame{width, height, width >> 1, height >> 1};
  for (auto _ : state) {
    RenderStars(stars.data(), static_cast<int>(stars.size()), frame, 1, 1, buffer.Bits());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_RenderStars)
    ->Args({kMillion, 640, 480})
    ->Args({kMillion, 1920, 1080})
    ->Args({kLargest, 640, 480})
    ->Args({kLargest, 1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
