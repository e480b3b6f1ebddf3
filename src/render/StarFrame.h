// StarFrame: the one owner of what a frame writes into the star buffer: its
// pixels, the drawn-star map beside them, and the list of words written since
// the last Clear. Every writer of the star buffer goes through it, so that
// Clear can blank only what the last frame wrote and no writer can leave a
// stale pixel behind.
//
// How to write into the frame:
// - Stars, on any number of threads: take Target(k) for thread k (after
//   PrepareTargets); its Plot and Fill keep the rule "the higher catalogue
//   index wins" through the drawn-star map and note each word they write
//   first.
// - An overlay (lines, a grid, a marker): WritePixel, once the stars are
//   drawn, on words no star holds (see overlay/OverlayCanvas). It notes the
//   word and leaves the drawn-star map alone, so the map keeps holding stars
//   only and the next Clear blanks the word.
// - Anything that writes through Bits() or Drawn() directly without noting
//   (the passes over the records): call WroteUnnoted() afterwards, and the
//   next Clear clears the whole frame.
// - Labels: MergeLabels.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/DrawnStarMap.h"
#include "render/PixelBuffer.h"

// A star buffer with its drawn-star map, written by the rule "the higher
// catalogue index wins", noting every word it writes first.
struct HighestIndexTarget {
  uint16_t* bits;
  int32_t* drawn;  // DrawnStarMap::kNoStar where no star is drawn
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
  // Plot of a white pixel by one of several threads drawing into the same
  // words at once, each raising a drawn-star map of its own (see
  // StarFrame::BeginOwnMaps): the map needs no lock, and every thread
  // writes the same white.
  void PlotWhiteOwnMap(size_t word, int32_t star) {
    const int32_t held = drawn[word];
    if (star <= held) return;
    if (held < 0) Note(word);
    drawn[word] = star;
    std::atomic_ref<uint16_t>(bits[word]).store(kPixelWhite, std::memory_order_relaxed);
  }
  void Note(size_t word) {
    if (writtenCount < writtenCapacity) written[writtenCount] = static_cast<uint32_t>(word);
    ++writtenCount;
  }
  bool AllNoted() const { return writtenCount <= writtenCapacity; }
};

class StarFrame {
 public:
  // Takes pixels (the star buffer, which must outlive its use here) as the
  // frame's, with a drawn-star map of its size showing no star; the next
  // Clear clears the whole frame.
  void Attach(PixelBuffer& pixels);
  bool Attached() const { return m_pixels != nullptr; }

  uint16_t* Bits() { return m_pixels->Bits(); }
  int32_t* Drawn() { return m_drawn.Data(); }
  size_t Words() const { return m_drawn.index.size(); }
  // Which star each pixel shows (the labels and overlays do not count).
  const DrawnStarMap& DrawnStars() const { return m_drawn; }

  // The first step of every recomputing frame: black pixels, no star drawn.
  // Only the noted words are cleared when every write since the last Clear
  // was noted.
  void Clear();

  // Makes sure there are count targets, 0 to count - 1, for writers on
  // threads; Target(k) is then thread k's.
  void PrepareTargets(unsigned count);
  unsigned TargetCount() const { return static_cast<unsigned>(m_targets.size()); }
  HighestIndexTarget& Target(unsigned k) { return m_targets[k]; }

  // For threads that draw white pixels into the same words at once: targets
  // 1 to count - 1 raise drawn-star maps of their own, which EndOwnMaps
  // merges into the frame's by the same rule (the higher index wins).
  void BeginOwnMaps(unsigned count);
  void EndOwnMaps();

  // An overlay's pixel, drawn after the stars and labels where neither is:
  // value at word, noted for the next clear; the drawn-star map is left alone.
  void WritePixel(size_t word, uint16_t value) {
    m_pixels->words[word] = value;
    m_targets[0].Note(word);
  }
  // Something wrote through Bits() or Drawn() without noting its words.
  void WroteUnnoted() { m_wholeClear = true; }
  // ORs labels (a buffer of the frame's size) into the pixels, noting the
  // words it lights where no star was drawn.
  void MergeLabels(const PixelBuffer& labels);

 private:
  PixelBuffer* m_pixels = nullptr;
  DrawnStarMap m_drawn;
  bool m_wholeClear = true;
  // Per target: the words it noted, at most a share of the frame (a frame
  // that writes more clears the whole buffer next time, which is then as
  // cheap).
  std::vector<HighestIndexTarget> m_targets;
  std::vector<std::vector<uint32_t>> m_written;
  // BeginOwnMaps's maps for targets 1 and on, all kNoStar between uses, and
  // where each target's notes stood when they began.
  std::vector<std::vector<int32_t>> m_ownDrawn;
  std::vector<size_t> m_ownNotesBegin;
};
