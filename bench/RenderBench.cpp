// The view's paints: the star pass alone on projected records (Render), the
// whole recomputing paint without labels (Paint), the same from outside the
// cloud with every star in front (PaintAllInFront), with names, distances
// and designations on (PaintWithLabels), with star colours on
// (PaintColours), one step of a held travel key with its paint (FlightStep),
// the key's release with its paint (FlightRefresh), and a paint with nothing
// to recompute (CleanPaint).
#include <benchmark/benchmark.h>

#include "BenchSizes.h"
#include "BenchView.h"

namespace {

enum class Observer { Standard, AllInFront };

// Arguments: N, width, height. The records' magnitudes are those of the
// view's observer when it is returned.
BenchView& ViewFor(benchmark::State& state, Observer observer = Observer::Standard) {
  static std::unique_ptr<BenchView> view;  // one at a time: the largest maps' views are big
  static int64_t key[4] = {-1, -1, -1, -1};
  const int64_t wanted[4] = {state.range(0), state.range(1), state.range(2), static_cast<int64_t>(observer)};
  if (!view || !std::equal(wanted, wanted + 4, key)) {
    view.reset();
    const BenchObserver looking =
        observer == Observer::AllInFront ? AllInFrontObserver(wanted[0]) : StandardObserver();
    view = std::make_unique<BenchView>(wanted[0], static_cast<int>(wanted[1]), static_cast<int>(wanted[2]),
                                       looking);
    std::copy(wanted, wanted + 4, key);
  }
  return *view;
}

void Render(benchmark::State& state) {
  CSkyglassView& view = ViewFor(state).view;
  // The paint from the grid leaves the records' projection alone: project them.
  const BenchObserver observer = StandardObserver();
  view.GetDocument().m_catalog.ProjectStars(observer.position, observer.basis.forward,
                                            observer.basis.right * observer.zoom,
                                            observer.basis.down * observer.zoom);
  const PerStarTimer perStar(state);
  for (auto _ : state) {
    view.RenderStars();
    benchmark::ClobberMemory();
  }
}

void PaintWithFlags(benchmark::State& state, int labels, int colours,
                    Observer observer = Observer::Standard) {
  CSkyglassView& view = ViewFor(state, observer).view;
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
void PaintAllInFront(benchmark::State& state) { PaintWithFlags(state, 0, 0, Observer::AllInFront); }

// The interval of X auto-repeat at 30 a second, in milliseconds.
constexpr int kAutoRepeatMs = 33;

// One step of a held Up key as the view handles it, and the paint it asks
// for: the clock moves on by the auto-repeat interval at every press, so the
// view's throttle marks the magnitudes stale (refreshed_share: the share of
// steps that recomputed them, only the first of the run). Each step starts
// from the standard observer again.
void FlightStep(benchmark::State& state) {
  BenchView& bench = ViewFor(state);
  CSkyglassView& view = bench.view;
  const Vector3D start = view.m_vPosition;
  int64_t refreshed = 0;
  bench.platform.clockMs = 1000000;  // long after the previous press: the first press recomputes
  {
    const PerStarTimer perStar(state);
    for (auto _ : state) {
      bench.platform.clockMs += kAutoRepeatMs;
      view.OnKeyDown(kVkUp);
      refreshed += view.m_bMagnitudesValid;
      view.OnDraw();
      view.m_vPosition = start;
      benchmark::ClobberMemory();
    }
  }
  state.counters["refreshed_share"] =
      static_cast<double>(refreshed) / static_cast<double>(state.iterations());
  bench.platform.clockMs = -1;
  view.OnKeyUp(kVkUp);  // the magnitudes of the standard observer again
  view.OnDraw();
}

// The release of a held Up key: the recomputation of the stale magnitudes and
// the paint it asks for. Before each (not timed) a press too soon after the
// previous one marks them stale and its frame is painted.
void FlightRefresh(benchmark::State& state) {
  BenchView& bench = ViewFor(state);
  CSkyglassView& view = bench.view;
  const Vector3D start = view.m_vPosition;
  bench.platform.clockMs = 1000000;
  view.OnKeyDown(kVkUp);
  view.OnDraw();
  for (auto _ : state) {
    state.PauseTiming();
    view.m_vPosition = start;
    bench.platform.clockMs += kAutoRepeatMs;
    view.OnKeyDown(kVkUp);
    view.OnDraw();
    state.ResumeTiming();
    view.OnKeyUp(kVkUp);
    view.OnDraw();
    benchmark::ClobberMemory();
  }
  bench.platform.clockMs = -1;
  view.m_vPosition = start;
  view.OnKeyUp(kVkUp);
  view.OnDraw();
}

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
  FullHdSizes(benchmark);
  benchmark->Args({kShippedMapStars, 1280, 720});
  benchmark->Args({kLargestMap, 1280, 720});
}

BENCHMARK(Render)->Apply(PaintSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(Paint)->Apply(PaintSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintWithLabels)->Apply(PaintSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintColours)->Apply(PaintSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintAllInFront)->Apply(FullHdSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(FlightStep)->Apply(FullHdSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(FlightRefresh)->Apply(FullHdSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(CleanPaint)->Args({1920, 1080})->Args({1280, 720})->Unit(benchmark::kMillisecond);

}  // namespace
