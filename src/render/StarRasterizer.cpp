// The star pass over the catalogue, optionally fused with the projection.
// Large catalogues are split into contiguous ranges, one per thread: the
// first range draws straight into the buffer, each later one into a layer of
// its own, and the layers are laid over the buffer in range order afterwards,
// so every pixel ends up holding the last star in catalogue order that wrote it.
// With few stars for the buffer's size only the projection is split, and the
// drawing follows on the calling thread.
#include "render/StarRasterizer.h"

#include <algorithm>
#include <type_traits>

#include "parallel/ParallelRange.h"
#include "render/StarPlot.h"

namespace {

// One pass over records [0, passCount): projected first when Record is
// writable, then drawn when its index is below drawCount.
template <class Record>
void StarPass(Record* stars, int passCount, const ProjectionSetup* setup, int drawCount,
              const ScreenFrame& frame, bool byMagnitude, StarTarget target, const StarPassThreads& threads) {
  auto passRange = [&](int64_t begin, int64_t end, const StarTarget& into) {
    for (int64_t i = begin; i < end; ++i) {
      if (i + kPrefetchDistance < end) PrefetchRecord(stars[i + kPrefetchDistance], false);
      if constexpr (!std::is_const_v<Record>) ProjectStar(stars[i], *setup);
      if (i < drawCount) DrawStar(stars[i], static_cast<int32_t>(i), frame, byMagnitude, into);
    }
  };
  const unsigned workers = threads.workers != 0 ? threads.workers : HardwareWorkers();
  const int64_t chunks = ChunkCount(passCount, threads.minStarsPerThread, workers);
  if (chunks <= 1) {
    passRange(0, passCount, target);
    return;
  }
  const int64_t pixels = static_cast<int64_t>(frame.width) * frame.height;
  StarLayers* layers = threads.layers;
  if (pixels > passCount * threads.maxPixelsPerStar || !layers ||
      !layers->Prepare(frame.width, frame.height, static_cast<int>(chunks - 1))) {
    // The projection on every core, then the drawing on this thread.
    if constexpr (!std::is_const_v<Record>)
      ForEachChunk(passCount, threads.minStarsPerThread, workers,
                   [&](int64_t begin, int64_t end) { ProjectRange(stars, begin, end, *setup); });
    for (int64_t i = 0; i < drawCount; ++i)
      DrawStar(stars[i], static_cast<int32_t>(i), frame, byMagnitude, target);
    return;
  }
  ForEachChunk(chunks, 1, static_cast<unsigned>(chunks), [&](int64_t first, int64_t last) {
    for (int64_t k = first; k < last; ++k) {
      const StarTarget into = k == 0 ? target : layers->Layer(static_cast<int>(k), target.drawn != nullptr);
      passRange(ChunkBegin(passCount, chunks, k), ChunkBegin(passCount, chunks, k + 1), into);
    }
  });
  layers->MergeInto(target.bits, target.drawn, static_cast<int>(chunks - 1));
}

bool ByMagnitude(int magnitudeDrawing, int magnitudesValid) {
  return magnitudeDrawing != 0 && magnitudesValid != 0;
}

}  // namespace

void RenderStars(const StarEntry* stars, int count, const ScreenFrame& frame, int magnitudeDrawing,
                 int magnitudesValid, uint16_t* bits, int32_t* drawn, const StarPassThreads& threads) {
  StarPass(stars, count, nullptr, count, frame, ByMagnitude(magnitudeDrawing, magnitudesValid), {bits, drawn},
           threads);
}

void ProjectAndRenderStars(StarEntry* stars, int projectCount, const ProjectionSetup& setup, int count,
                           const ScreenFrame& frame, int magnitudeDrawing, int magnitudesValid,
                           uint16_t* bits, int32_t* drawn, const StarPassThreads& threads) {
  StarPass(stars, projectCount, &setup, std::min(count, projectCount), frame,
           ByMagnitude(magnitudeDrawing, magnitudesValid), {bits, drawn}, threads);
}
