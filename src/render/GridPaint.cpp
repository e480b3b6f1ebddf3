// The grid star pass: block culling, the projection of the stars on the
// threads, their sorting into bands of rows, and the drawing of the bands.
#include "render/GridPaint.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "parallel/ParallelRange.h"
#include "render/DrawnStarMap.h"
#include "render/FrameClear.h"
#include "render/StarColours.h"
#include "render/StarPlot.h"
#include "render/ViewFrustum.h"

namespace {

// Blocks a thread takes at a time.
constexpr size_t kBlocksPerTake = 16;

// Most words noted as written by one thread, as a share of the buffer: a
// paint that writes more clears the whole buffer next time, which is then
// as cheap.
constexpr size_t kNotedShare = 8;

// Sorted stars ahead of the one being drawn whose pixel the drawing asks for.
constexpr size_t kPrefetchAhead = 16;

// Fewest noted words for which the clear uses more than one thread, and
// fewest words a thread of the label merge takes on.
constexpr size_t kMinNotedForThreads = 1 << 16;
constexpr int64_t kMinMergeWordsPerThread = 1 << 18;

uint64_t DrawableStars(const std::vector<GridBlock>& blocks, size_t begin, size_t end) {
  uint64_t stars = 0;
  for (size_t b = begin; b < end; ++b) stars += blocks[b].drawEnd - blocks[b].begin;
  return stars;
}

// Calls land(star, x, r) for every star of block with an index below
// drawCount whose position (positionOf(star)) projected for setup lands on
// pixel (x, r) of the buffer.
template <class PositionOf, class Land>
void ForEachLandingStar(const GridStar* stars, const GridBlock& block, PositionOf positionOf,
                        const ProjectionSetup& setup, int32_t drawCount, const ScreenFrame& frame,
                        Land land) {
  for (uint32_t s = block.begin; s < block.drawEnd; ++s) {
    const GridStar& star = stars[s];
    if (star.Index() >= drawCount) continue;
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
void ForEachLandingStar(const StarGrid& grid, const GridBlock& block, const ProjectionSetup& setup,
                        int32_t drawCount, const ScreenFrame& frame, Land land) {
  if (block.fromRecords)
    ForEachLandingStar(
        grid.Stars(), block, [&](const GridStar& star) { return grid.PositionOf(star, block); }, setup,
        drawCount, frame, land);
  else
    ForEachLandingStar(
        grid.Stars(), block, [](const GridStar& star) { return StarGrid::MillionthsPosition(star); }, setup,
        drawCount, frame, land);
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

void GridPaint::ClearFrame(uint16_t* bits, int32_t* drawn, size_t words) {
  const bool sameFrame = bits == m_bits && drawn == m_drawn && words == m_words;
  const bool allNoted = std::all_of(m_targets.begin(), m_targets.end(),
                                    [](const HighestIndexTarget& target) { return target.AllNoted(); });
  if (!sameFrame || m_wholeClear || !allNoted) {
    ClearStarFrame(bits, drawn, words);
  } else {
    size_t noted = 0;
    for (const HighestIndexTarget& target : m_targets) noted += target.writtenCount;
    const int64_t lists = static_cast<int64_t>(m_targets.size());
    ForEachChunk(lists, noted < kMinNotedForThreads ? lists : 1, [&](int64_t first, int64_t last) {
      for (int64_t k = first; k < last; ++k) {
        const HighestIndexTarget& target = m_targets[k];
        for (size_t i = 0; i < target.writtenCount; ++i) {
          bits[target.written[i]] = 0;
          drawn[target.written[i]] = DrawnStarMap::kNoStar;
        }
      }
    });
  }
  for (HighestIndexTarget& target : m_targets) target.writtenCount = 0;
  m_bits = bits;
  m_drawn = drawn;
  m_words = words;
  m_wholeClear = false;
}

void GridPaint::MergeLabels(uint16_t* bits, const uint16_t* labels, size_t words) {
  const bool noting = bits == m_bits && words == m_words && !m_wholeClear && !m_targets.empty();
  const int64_t chunks = ChunkCount(static_cast<int64_t>(words), kMinMergeWordsPerThread,
                                    noting ? static_cast<unsigned>(m_targets.size()) : HardwareWorkers());
  ForEachChunk(chunks, 1, static_cast<unsigned>(chunks), [&](int64_t first, int64_t last) {
    for (int64_t k = first; k < last; ++k) {
      const size_t end = static_cast<size_t>(ChunkBegin(static_cast<int64_t>(words), chunks, k + 1));
      for (size_t word = static_cast<size_t>(ChunkBegin(static_cast<int64_t>(words), chunks, k));
           word < end;) {
        uint64_t four = 0;  // a block of four black label words is one test
        if (word + 4 <= end && (std::memcpy(&four, labels + word, sizeof four), four == 0)) {
          word += 4;
          continue;
        }
        if (labels[word] != 0) {
          if (noting && m_drawn[word] < 0) m_targets[k].Note(word);  // no star wrote it: not noted yet
          bits[word] |= labels[word];
        }
        ++word;
      }
    }
  });
  if (!noting) m_wholeClear = true;
}

HighestIndexTarget& GridPaint::Target(size_t k, uint16_t* bits, int32_t* drawn, size_t words) {
  if (m_targets.size() <= k) {
    m_targets.resize(k + 1, HighestIndexTarget{});
    m_written.resize(k + 1);
  }
  HighestIndexTarget& target = m_targets[k];
  std::vector<uint32_t>& written = m_written[k];
  if (written.size() != words / kNotedShare) {
    if (target.writtenCount != 0) m_wholeClear = true;  // its notes are lost
    written.resize(words / kNotedShare);
    target.writtenCount = 0;
  }
  target.bits = bits;
  target.drawn = drawn;
  target.written = written.data();
  target.writtenCapacity = written.size();
  return target;
}

void GridPaint::DrawStraight(const StarGrid& grid, size_t begin, size_t end, const ProjectionSetup& setup,
                             int32_t drawCount, const ScreenFrame& frame, const ViewFrustum& frustum,
                             const StarColours* colours) {
  HighestIndexTarget& target = m_targets[0];
  const std::vector<GridBlock>& blocks = grid.Blocks();
  for (size_t b = begin; b < end; ++b)
    if (blocks[b].drawEnd != blocks[b].begin && frustum.MayShow(blocks[b]))
      ForEachLandingStar(grid, blocks[b], setup, drawCount, frame,
                         [&](const GridStar& star, int32_t x, int32_t r) {
                           DrawStarAt(target, frame, x, r, grid.CodeOf(star), star.Index(), colours);
                         });
}

void GridPaint::Paint(const StarGrid& grid, const ProjectionSetup& setup, int32_t drawCount,
                      const ScreenFrame& frame, uint16_t* bits, int32_t* drawn, const StarColours* colours,
                      const GridPaintSplit& split) {
  const size_t words = static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height);
  if (bits != m_bits || drawn != m_drawn || words != m_words)
    m_wholeClear = true;  // not the frame ClearFrame prepared: its words are not noted
  const std::vector<GridBlock>& blocks = grid.Blocks();
  const ViewFrustum frustum(setup, frame);
  const unsigned threads = split.workers != 0 ? split.workers : HardwareWorkers();
  for (unsigned k = 0; k < threads; ++k) Target(k, bits, drawn, words);
  if (DrawableStars(blocks, 0, blocks.size()) < split.minStarsForBands) {
    DrawStraight(grid, 0, blocks.size(), setup, drawCount, frame, frustum, colours);
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
      stars += blocks[roundEnd].drawEnd - blocks[roundEnd].begin;
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
          const int32_t code = grid.CodeOf(star);
          if (code < 0 && !DiscRows(frame, r, -code, low, high)) return;
          for (size_t band = static_cast<size_t>(low) / bandRows;
               band <= static_cast<size_t>(high) / bandRows; ++band)
            bands[band].push_back({word, star.Index(), code});
        };
        try {
          for (size_t take; (take = nextBlock.fetch_add(kBlocksPerTake)) < roundEnd;)
            for (size_t b = take, last = std::min(take + kBlocksPerTake, roundEnd); b < last; ++b)
              if (blocks[b].drawEnd != blocks[b].begin && frustum.MayShow(blocks[b]))
                ForEachLandingStar(grid, blocks[b], setup, drawCount, frame, sort);
        } catch (const std::bad_alloc&) {
          outOfMemory = true;
        }
      }
    });
    if (outOfMemory) {  // the round is drawn straight instead
      for (unsigned k = 0; k < threads; ++k)
        for (std::vector<BinnedStar>& band : m_bands[k]) band.clear();
      DrawStraight(grid, roundBegin, roundEnd, setup, drawCount, frame, frustum, colours);
      continue;
    }

    // Step 2: each band drawn by one thread, from every thread's sorting.
    std::atomic<size_t> nextBand{0};
    ForEachChunk(threads, 1, threads, [&](int64_t first, int64_t last) {
      for (int64_t k = first; k < last; ++k) {
        for (size_t band; (band = nextBand.fetch_add(1)) < bandCount;) {
          BandTarget into{m_targets[k], band * bandRows * width,
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
