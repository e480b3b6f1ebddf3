// What one mouse move over the view costs: the star read-out at the pointer,
// looked up in the record of the last paint, at points spread over a full-HD
// view of N stars.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "BenchSizes.h"
#include "BenchView.h"
#include "view/StarUnderPointer.h"

namespace {

// One painted view per size, kept for the whole run.
CSkyglassView& PaintedView(int64_t count, int width, int height) {
  static std::map<std::vector<int64_t>, std::unique_ptr<BenchView>> views;
  std::unique_ptr<BenchView>& view = views[{count, width, height}];
  if (!view) view = std::make_unique<BenchView>(count, width, height);
  return view->view;
}

// Arguments: star count, view width, view height.
void Hover(benchmark::State& state) {
  const int width = static_cast<int>(state.range(1));
  const int height = static_cast<int>(state.range(2));
  CSkyglassView& view = PaintedView(state.range(0), width, height);
  std::mt19937 random(7);
  std::vector<std::pair<int, int>> points(4096);
  for (auto& [x, y] : points) {
    x = std::uniform_int_distribution<int>(0, width - 1)(random);
    y = std::uniform_int_distribution<int>(0, height - 1)(random);
  }
  size_t next = 0;
  int64_t found = 0;
  for (auto _ : state) {
    const auto& [x, y] = points[next];
    next = (next + 1) % points.size();
    const std::string text = StarReadoutAt(view, x, y);
    found += text.empty() ? 0 : 1;
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["found_share"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void HoverSizes(benchmark::internal::Benchmark* benchmark) {
  for (int64_t count : kBenchStarCounts) benchmark->Args({count, 1920, 1080});
}

BENCHMARK(Hover)->Apply(HoverSizes)->Unit(benchmark::kNanosecond);

}  // namespace
