// The grid star pass: block culling, the projection and drawing of the stars
// on the threads, and the merge of the threads' layers.
#include "render/GridPaint.h"

#include <algorithm>
#include <atomic>

#include "parallel/ParallelRange.h"
#include "render/DrawnStarMap.h"
#include "render/FrameClear.h"
#include "render/StarPlot.h"
#include "render/ViewFrustum.h"

namespace {

// Blocks a thread takes at a time.
constexpr size_t kBlocksPerTake = 16;

// Most words noted as written, as a share of the buffer: a paint that writes
// more clears the whole buffer next time, which is then as cheap.
constexpr size_t kNotedShare = 8;

uint32_t DrawableStars(const StarGrid& grid) {
  uint32_t stars = 0;
  for (const GridBlock& block : grid.Blocks()) stars += block.drawEnd - block.begin;
  return stars;
}

void DrawBlock(const GridStar* stars, const GridBlock& block, const ProjectionSetup& setup, int32_t drawCount,
               const ScreenFrame& frame, HighestIndexTarget& target) {
  for (uint32_t s = block.begin; s < block.drawEnd; ++s) {
    const GridStar& star = stars[s];
    if (star.index >= drawCount) continue;
    ProjectedPoint projected;
    if (ProjectPoint(star.pos, setup.position, setup.forward, setup.scaledRight, setup.scaledDown, projected))
      DrawCodedStar(target, frame, projected.x, projected.y, star.code, star.index);
  }
}

}  // namespace

void GridPaint::ClearFrame(uint16_t* bits, int32_t* drawn, size_t words) {
  const bool sameFrame = bits == m_frame.bits && drawn == m_frame.drawn && words == m_words;
  if (!sameFrame || m_wholeClear || !m_frame.AllNoted()) {
    ClearStarFrame(bits, drawn, words);
  } else {
    for (size_t i = 0; i < m_frame.writtenCount; ++i) {
      bits[m_written[i]] = 0;
      drawn[m_written[i]] = DrawnStarMap::kNoStar;
    }
  }
  m_written.resize(words / kNotedShare);
  m_frame = {bits, drawn, m_written.data(), 0, m_written.size()};
  m_words = words;
  m_wholeClear = false;
}

HighestIndexTarget GridPaint::LayerTarget(Layer& layer, size_t words) {
  if (layer.drawn.size() != words) {
    layer.bits.assign(words, 0);
    layer.drawn.assign(words, DrawnStarMap::kNoStar);
    layer.written.resize(words / kNotedShare);
  }
  return {layer.bits.data(), layer.drawn.data(), layer.written.data(), 0, layer.written.size()};
}

void GridPaint::MergeLayer(HighestIndexTarget& into, HighestIndexTarget& layer, size_t words) {
  auto mergeWord = [&](size_t word) {
    const int32_t star = layer.drawn[word];
    if (star < 0) return;
    into.Plot(word, layer.bits[word], star);
    layer.drawn[word] = DrawnStarMap::kNoStar;
  };
  if (layer.AllNoted()) {
    for (size_t i = 0; i < layer.writtenCount; ++i) mergeWord(layer.written[i]);
  } else {
    for (size_t word = 0; word < words; ++word) mergeWord(word);
  }
}

void GridPaint::Paint(const StarGrid& grid, const ProjectionSetup& setup, int32_t drawCount,
                      const ScreenFrame& frame, uint16_t* bits, int32_t* drawn, unsigned workers) {
  if (bits != m_frame.bits || drawn != m_frame.drawn) {
    m_wholeClear = true;  // not the frame ClearFrame prepared: its words are not noted
    m_frame = {bits, drawn, nullptr, 0, 0};
  }
  const std::vector<GridBlock>& blocks = grid.Blocks();
  const ViewFrustum frustum(setup, frame);
  const size_t words = static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height);
  std::atomic<size_t> nextBlock{0};
  auto drawBlocks = [&](HighestIndexTarget& target) {
    for (size_t first; (first = nextBlock.fetch_add(kBlocksPerTake)) < blocks.size();) {
      const size_t last = std::min(first + kBlocksPerTake, blocks.size());
      for (size_t b = first; b < last; ++b)
        if (blocks[b].drawEnd != blocks[b].begin && frustum.MayShow(blocks[b]))
          DrawBlock(grid.Stars(), blocks[b], setup, drawCount, frame, target);
    }
  };

  const unsigned threads = DrawableStars(grid) < kMinStarsForThreads ? 1u
                           : workers != 0                            ? workers
                                                                     : HardwareWorkers();
  if (threads <= 1) {
    drawBlocks(m_frame);
    return;
  }
  if (m_layers.size() < threads - 1) m_layers.resize(threads - 1);
  std::vector<HighestIndexTarget> targets{m_frame};
  for (unsigned k = 1; k < threads; ++k) targets.push_back(LayerTarget(m_layers[k - 1], words));
  ForEachChunk(threads, 1, threads, [&](int64_t first, int64_t last) {
    for (int64_t k = first; k < last; ++k) drawBlocks(targets[k]);
  });
  m_frame = targets[0];
  for (unsigned k = 1; k < threads; ++k) MergeLayer(m_frame, targets[k], words);
}
