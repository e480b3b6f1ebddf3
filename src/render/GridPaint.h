// GridPaint: the star pass of a recomputing paint, over the star grid instead
// of the records. Blocks outside the view are skipped whole; the stars of the
// others are projected and drawn in any order and on any thread, each pixel
// keeping the write of the star with the highest catalogue index, which is
// what drawing the records in catalogue order leaves there. It also clears
// the buffers for the next paint, touching only the words the last one wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "catalog/StarKernels.h"
#include "render/ScreenMapping.h"
#include "render/StarGrid.h"

// A star buffer with its drawn-star map, written by the rule "the higher
// catalogue index wins", noting every word it writes first.
struct HighestIndexTarget {
  uint16_t* bits;
  int32_t* drawn;  // DrawnStarMap::kNoStar where nothing is drawn
  uint32_t* written;
  size_t writtenCount;
  size_t writtenCapacity;  // past it, the words are counted but not noted

  void Fill(size_t begin, size_t end, uint16_t value, int32_t star) {
    for (size_t word = begin; word < end; ++word) Plot(word, value, star);
  }
  void Plot(size_t word, uint16_t value, int32_t star) {
    const int32_t held = drawn[word];
    if (star <= held) return;
    if (held < 0) Note(word);
    bits[word] = value;
    drawn[word] = star;
  }
  void Note(size_t word) {
    if (writtenCount < writtenCapacity) written[writtenCount] = static_cast<uint32_t>(word);
    ++writtenCount;
  }
  bool AllNoted() const { return writtenCount <= writtenCapacity; }
};

class GridPaint {
 public:
  // Fewest stars to draw for which the pass uses more than one thread.
  static constexpr uint32_t kMinStarsForThreads = 32768;

  // Makes bits and drawn (words each) blank: only the words the last Paint
  // into them wrote, unless something else may have written there since.
  void ClearFrame(uint16_t* bits, int32_t* drawn, size_t words);
  // Something other than Paint wrote into the buffers: the next ClearFrame
  // clears them whole.
  void ForgetWrites() { m_wholeClear = true; }
  // The words the last Paint wrote, each once; nullopt when they were too
  // many to note.
  std::optional<std::span<const uint32_t>> LastWrites() const {
    if (!m_frame.AllNoted()) return std::nullopt;
    return std::span<const uint32_t>(m_frame.written, m_frame.writtenCount);
  }

  // Draws the stars of grid with an index below drawCount, projected for
  // setup, into bits and drawn (frame.width x frame.height, cleared by
  // ClearFrame). workers 0: one per hardware thread.
  void Paint(const StarGrid& grid, const ProjectionSetup& setup, int32_t drawCount, const ScreenFrame& frame,
             uint16_t* bits, int32_t* drawn, unsigned workers = 0);

 private:
  struct Layer {
    std::vector<uint16_t> bits;
    std::vector<int32_t> drawn;
    std::vector<uint32_t> written;
  };
  HighestIndexTarget LayerTarget(Layer& layer, size_t words);
  void MergeLayer(HighestIndexTarget& into, HighestIndexTarget& layer, size_t words);

  std::vector<uint32_t> m_written;  // the words the last Paint wrote into the frame
  HighestIndexTarget m_frame{};
  size_t m_words = 0;
  bool m_wholeClear = true;
  std::vector<Layer> m_layers;  // one per thread after the first
};
