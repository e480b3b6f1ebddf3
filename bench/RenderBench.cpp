// The view's paints: the star pass alone on projected records (Render), the
// whole recomputing paint without labels (Paint), the same from outside the
// cloud with every star in front (PaintAllInFront), with names, distances
// and designations on (PaintWithLabels), with star colours on
// (PaintColours), one step of keyboard flight with its paint (FlightStep),
// and a paint with nothing to recompute (CleanPaint).
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

// One Up press as the view handles it, and the paint it asks for. The
// presses follow each other as fast as the view takes them, so the view's
// throttle recomputes the magnitudes only when a step takes at least the
// magnitude tolerance (refreshed_share: the share of steps that did). Each
// step starts from the standard observer again.
void FlightStep(benchmark::State& state) {
  CSkyglassView& view = ViewFor(state).view;
  const Vector3D start = view.m_vPosition;
  int64_t refreshed = 0;
  {
    const PerStarTimer perStar(state);
    for (auto _ : state) {
      view.OnKeyDown(kVkUp);
      refreshed += view.m_bMagnitudesValid;
      view.OnDraw();
      view.m_vPosition = start;
      benchmark::ClobberMemory();
    }
  }
  state.counters["refreshed_share"] =
      static_cast<double>(refreshed) / static_cast<double>(state.iterations());
  view.OnKeyUp(kVkUp);  // the magnitudes of the standard observer again
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
BENCHMARK(CleanPaint)->Args({1920, 1080})->Args({1280, 720})->Unit(benchmark::kMillisecond);

}  // namespace
