// The view's paints: the star pass alone on projected records (Render), the
// whole recomputing paint without labels (Paint) and with names, distances
// and designations on (PaintWithLabels), with star colours on
// (PaintColours), and a paint with nothing to recompute (CleanPaint).
#include <benchmark/benchmark.h>

#include "BenchSizes.h"
#include "BenchView.h"

namespace {

// Arguments: N, width, height.
BenchView& ViewFor(benchmark::State& state) {
  static std::unique_ptr<BenchView> view;  // one at a time: the largest maps' views are big
  static int64_t key[3] = {-1, -1, -1};
  const int64_t wanted[3] = {state.range(0), state.range(1), state.range(2)};
  if (!view || !std::equal(wanted, wanted + 3, key)) {
    view.reset();
    view = std::make_unique<BenchView>(wanted[0], static_cast<int>(wanted[1]), static_cast<int>(wanted[2]));
    std::copy(wanted, wanted + 3, key);
  }
  return *view;
}

void Render(benchmark::State& state) {
  CSkyglassView& view = ViewFor(state).view;
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    view.RenderStars();
    benchmark::ClobberMemory();
  }
}

void PaintWithFlags(benchmark::State& state, int labels, int colours) {
  CSkyglassView& view = ViewFor(state).view;
  view.m_bNames = view.m_bDistances = view.m_bDurchmusterung = labels;
  view.m_bColours = colours;
  view.m_bProjectionDirty = 1;
  view.OnDraw();  // the stars' classes are read at the first paint with colours
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    view.m_bProjectionDirty = 1;
    view.OnDraw();
    benchmark::ClobberMemory();
  }
  view.m_bNames = view.m_bDistances = view.m_bDurchmusterung = 0;
  view.m_bColours = 0;
}

void Paint(benchmark::State& state) { PaintWithFlags(state, 0, 0); }
void PaintWithLabels(benchmark::State& state) { PaintWithFlags(state, 1, 0); }
void PaintColours(benchmark::State& state) { PaintWithFlags(state, 0, 1); }

// Arguments: width, height; on the shipped map.
void CleanPaint(benchmark::State& state) {
  static BenchView view(kShippedMapStars, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    view.view.OnDraw();
    benchmark::ClobberMemory();
  }
}

// Every N at 1920 x 1080; the largest map also at 1280 x 720, the size of
// the command line's rendering.
void PaintSizes(benchmark::internal::Benchmark* benchmark) {
  for (int64_t count : {kShippedMapStars, kHundredThousand, kMillion, kLargestMap})
    benchmark->Args({count, 1920, 1080});
  benchmark->Args({kShippedMapStars, 1280, 720});
  benchmark->Args({kLargestMap, 1280, 720});
}

BENCHMARK(Render)->Apply(PaintSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(Paint)->Apply(PaintSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintWithLabels)->Apply(PaintSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintColours)->Apply(PaintSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(CleanPaint)->Args({1920, 1080})->Args({1280, 720})->Unit(benchmark::kMillisecond);

}  // namespace
