// The grid star pass: block culling, the projection of the stars on the
// threads, their sorting into bands of rows, and the drawing of the bands.
#include "render/GridPaint.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <new>

#include "parallel/ParallelRange.h"
#include "render/DrawnStarMap.h"
#include "render/StarColours.h"
#include "render/StarPlot.h"
#include "render/ViewFrustum.h"

namespace {

// Blocks a thread takes at a time.
constexpr size_t kBlocksPerTake = 16;

// Sorted stars ahead of the one being drawn whose pixel the drawing asks for.
constexpr size_t kPrefetchAhead = 16;

// The end of the stars of block that may draw something: by magnitude, those
// before drawEnd; else every star (the near ones, and by magnitude the
// faint ones before drawEnd, are skipped one by one).
uint32_t DrawEnd(const GridBlock& block, bool byMagnitude) { return byMagnitude ? block.drawEnd : block.end; }

uint64_t DrawableStars(const std::vector<GridBlock>& blocks, size_t begin, size_t end, bool byMagnitude) {
  uint64_t stars = 0;
  for (size_t b = begin; b < end; ++b) stars += DrawEnd(blocks[b], byMagnitude) - blocks[b].begin;
  return stars;
}

// Calls land(star, x, r) for every star of block that may draw something
// with an index below drawCount whose position (positionOf(star)) projected
// for setup lands on pixel (x, r) of the buffer.
template <class PositionOf, class Land>
void ForEachLandingStar(const GridStar* stars, const GridBlock& block, bool byMagnitude,
                        PositionOf positionOf, const ProjectionSetup& setup, int32_t drawCount,
                        const ScreenFrame& frame, Land land) {
  for (uint32_t s = block.begin, end = DrawEnd(block, byMagnitude); s < end; ++s) {
    const GridStar& star = stars[s];
    if (star.Index() >= drawCount || star.Code() == kNearCode || (byMagnitude && star.Code() == kDrawNothing))
      continue;
    ProjectedPoint projected;
    int32_t x = 0;
    int32_t r = 0;
    if (ProjectPoint(positionOf(star), setup.position, setup.forward, setup.scaledRight, setup.scaledDown,
                     projected) &&
        StarPixel(frame, projected.x, projected.y, x, r))
      land(star, x, r);
  }
}

// The same for block of grid, its positions made from millionths or read
// from the records.
template <class Land>
void ForEachLandingStar(const StarGrid& grid, const GridBlock& block, bool byMagnitude,
                        const ProjectionSetup& setup, int32_t drawCount, const ScreenFrame& frame,
                        Land land) {
  if (block.fromRecords)
    ForEachLandingStar(
        grid.Stars(), block, byMagnitude, [&](const GridStar& star) { return grid.PositionOf(star, block); },
        setup, drawCount, frame, land);
  else
    ForEachLandingStar(
        grid.Stars(), block, byMagnitude,
        [](const GridStar& star) { return StarGrid::MillionthsPosition(star); }, setup, drawCount, frame,
        land);
}

// A star's code in the mode of the paint.
int32_t CodeIn(const StarGrid& grid, const GridStar& star, bool byMagnitude) {
  return byMagnitude ? grid.CodeOf(star) : StarGrid::WhiteCodeOf(star);
}

// The blocks that may show something.
bool MayDraw(const GridBlock& block, bool byMagnitude, const ViewFrustum& frustum) {
  return DrawEnd(block, byMagnitude) != block.begin && frustum.MayShow(block);
}

// The words [begin, end) of a frame target: the rows of one band.
struct BandTarget {
  HighestIndexTarget& frame;
  size_t begin;
  size_t end;

  void Fill(size_t from, size_t to, uint16_t value, int32_t star) {
    frame.Fill(std::max(from, begin), std::min(to, end), value, star);
  }
};

// A target that writes a star's pixels in the colour of its class.
template <class Target>
struct TintedTarget {
  Target& target;
  const uint16_t* levels;  // StarColours::LevelsOf the star

  void Fill(size_t from, size_t to, uint16_t value, int32_t star) {
    target.Fill(from, to, levels[StarColours::Level(value)], star);
  }
};

// DrawCodedStarAt, in the colour of the star's class when colours is given.
template <class Target>
void DrawStarAt(Target& target, const ScreenFrame& frame, int32_t x, int32_t r, int32_t code, int32_t star,
                const StarColours* colours) {
  if (colours == nullptr) {
    DrawCodedStarAt(target, frame, x, r, code, star);
    return;
  }
  TintedTarget<Target> tinted{target, colours->LevelsOf(star)};
  DrawCodedStarAt(tinted, frame, x, r, code, star);
}

}  // namespace

void GridPaint::DrawStraight(const StarGrid& grid, size_t begin, size_t end, const ProjectionSetup& setup,
                             int32_t drawCount, const ScreenFrame& frame, const ViewFrustum& frustum,
                             bool byMagnitude, HighestIndexTarget& target, const StarColours* colours) {
  const std::vector<GridBlock>& blocks = grid.Blocks();
  for (size_t b = begin; b < end; ++b)
    if (MayDraw(blocks[b], byMagnitude, frustum))
      ForEachLandingStar(grid, blocks[b], byMagnitude, setup, drawCount, frame,
                         [&](const GridStar& star, int32_t x, int32_t r) {
                           DrawStarAt(target, frame, x, r, CodeIn(grid, star, byMagnitude), star.Index(),
                                      colours);
                         });
}

void GridPaint::DrawWhiteShared(const StarGrid& grid, const ProjectionSetup& setup, int32_t drawCount,
                                const ScreenFrame& frame, const ViewFrustum& frustum, StarFrame& target,
                                unsigned threads) {
  const std::vector<GridBlock>& blocks = grid.Blocks();
  const size_t width = static_cast<size_t>(frame.width);
  std::atomic<size_t> nextBlock{0};
  target.BeginOwnMaps(threads);
  ForEachChunk(threads, 1, threads, [&](int64_t first, int64_t last) {
    for (int64_t k = first; k < last; ++k) {
      HighestIndexTarget& into = target.Target(static_cast<unsigned>(k));
      // A block's landing stars are gathered first, their map entries asked
      // for as they land, so that the misses overlap instead of coming one
      // after the other.
      std::array<BinnedStar, StarGrid::kMaxBlockStars> landed;
      for (size_t take; (take = nextBlock.fetch_add(kBlocksPerTake)) < blocks.size();)
        for (size_t b = take, end = std::min(take + kBlocksPerTake, blocks.size()); b < end; ++b) {
          if (!MayDraw(blocks[b], false, frustum)) continue;
          size_t count = 0;
          ForEachLandingStar(grid, blocks[b], false, setup, drawCount, frame,
                             [&](const GridStar& star, int32_t x, int32_t r) {
                               const size_t word = static_cast<size_t>(r) * width + static_cast<size_t>(x);
                               __builtin_prefetch(&into.drawn[word], 1);
                               landed[count++] = {static_cast<uint32_t>(word), star.Index(), kDrawWhite};
                             });
          for (size_t i = 0; i < count; ++i) into.PlotWhiteOwnMap(landed[i].word, landed[i].index);
        }
    }
  });
  target.EndOwnMaps();
}

void GridPaint::Paint(const StarGrid& grid, const ProjectionSetup& setup, int32_t drawCount,
                      const ScreenFrame& frame, StarFrame& target, bool byMagnitude,
                      const StarColours* colours, const GridPaintSplit& split) {
  const size_t words = target.Words();
  const uint16_t* bits = target.Bits();
  const int32_t* drawn = target.Drawn();
  const std::vector<GridBlock>& blocks = grid.Blocks();
  const ViewFrustum frustum(setup, frame);
  const unsigned threads = split.workers != 0 ? split.workers : HardwareWorkers();
  target.PrepareTargets(threads);
  if (DrawableStars(blocks, 0, blocks.size(), byMagnitude) < split.minStarsForBands) {
    DrawStraight(grid, 0, blocks.size(), setup, drawCount, frame, frustum, byMagnitude, target.Target(0),
                 colours);
    return;
  }

  if (!byMagnitude && colours == nullptr) {
    DrawWhiteShared(grid, setup, drawCount, frame, frustum, target, threads);
    return;
  }

  const size_t width = static_cast<size_t>(frame.width);
  const size_t bandRows = std::max<size_t>(1, split.bandWords / width);
  const size_t bandCount = (static_cast<size_t>(frame.height) + bandRows - 1) / bandRows;
  if (m_bands.size() < threads) m_bands.resize(threads);
  for (unsigned k = 0; k < threads; ++k) m_bands[k].resize(bandCount);

  // The blocks in rounds of about split.roundStars stars, so that the bands
  // stay short.
  for (size_t roundBegin = 0, roundEnd = 0; roundBegin < blocks.size(); roundBegin = roundEnd) {
    uint64_t stars = 0;
    do {
      stars += DrawEnd(blocks[roundEnd], byMagnitude) - blocks[roundEnd].begin;
    } while (++roundEnd < blocks.size() && stars < split.roundStars);

    // Step 1: the stars that land, sorted by the bands their pixels cover.
    std::atomic<size_t> nextBlock{roundBegin};
    std::atomic<bool> outOfMemory{false};
    ForEachChunk(threads, 1, threads, [&](int64_t first, int64_t last) {
      for (int64_t k = first; k < last; ++k) {
        Bands& bands = m_bands[k];
        auto sort = [&](const GridStar& star, int32_t x, int32_t r) {
          const uint32_t word =
              static_cast<uint32_t>(static_cast<size_t>(r) * width + static_cast<size_t>(x));
          int64_t low = r;
          int64_t high = r;
          const int32_t code = CodeIn(grid, star, byMagnitude);
          if (code < 0 && !DiscRows(frame, r, -code, low, high)) return;
          for (size_t band = static_cast<size_t>(low) / bandRows;
               band <= static_cast<size_t>(high) / bandRows; ++band)
            bands[band].push_back({word, star.Index(), code});
        };
        try {
          for (size_t take; (take = nextBlock.fetch_add(kBlocksPerTake)) < roundEnd;)
            for (size_t b = take, last = std::min(take + kBlocksPerTake, roundEnd); b < last; ++b)
              if (MayDraw(blocks[b], byMagnitude, frustum))
                ForEachLandingStar(grid, blocks[b], byMagnitude, setup, drawCount, frame, sort);
        } catch (const std::bad_alloc&) {
          outOfMemory = true;
        }
      }
    });
    if (outOfMemory) {  // the round is drawn straight instead
      for (unsigned k = 0; k < threads; ++k)
        for (std::vector<BinnedStar>& band : m_bands[k]) band.clear();
      DrawStraight(grid, roundBegin, roundEnd, setup, drawCount, frame, frustum, byMagnitude,
                   target.Target(0), colours);
      continue;
    }

    // Step 2: each band drawn by one thread, from every thread's sorting.
    std::atomic<size_t> nextBand{0};
    ForEachChunk(threads, 1, threads, [&](int64_t first, int64_t last) {
      for (int64_t k = first; k < last; ++k) {
        for (size_t band; (band = nextBand.fetch_add(1)) < bandCount;) {
          BandTarget into{target.Target(static_cast<unsigned>(k)), band * bandRows * width,
                          std::min(words, (band + 1) * bandRows * width)};
          for (unsigned t = 0; t < threads; ++t) {
            std::vector<BinnedStar>& stars = m_bands[t][band];
            for (size_t i = 0; i < stars.size(); ++i) {
              if (i + kPrefetchAhead < stars.size()) {
                const BinnedStar& ahead = stars[i + kPrefetchAhead];
                __builtin_prefetch(&drawn[ahead.word], 1);
                __builtin_prefetch(&bits[ahead.word], 1);
                if (colours != nullptr) colours->Prefetch(ahead.index);
              }
              const BinnedStar& star = stars[i];
              DrawStarAt(into, frame, static_cast<int32_t>(star.word % width),
                         static_cast<int32_t>(star.word / width), star.code, star.index, colours);
            }
            stars.clear();
          }
        }
      }
    });
  }
  // The bands keep their memory for the next paint, but a thread never keeps
  // more than a quarter of a round's worth: a crowded view, or views that
  // crowd different rows in turn, would otherwise hold their largest lists
  // for as long as the program runs.
  for (Bands& bands : m_bands) {
    size_t kept = 0;
    for (const std::vector<BinnedStar>& band : bands) kept += band.capacity();
    if (kept > split.roundStars / 4)
      for (std::vector<BinnedStar>& band : bands) band = {};
  }
}
