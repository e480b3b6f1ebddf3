// The star frame's clear, its per-thread targets and the label merge.
#include "render/StarFrame.h"

#include <algorithm>
#include <cstring>

#include "parallel/ParallelRange.h"
#include "render/FrameClear.h"

namespace {

// Most words a target notes, as a share of the frame.
constexpr size_t kNotedShare = 8;

// Fewest noted words for which the clear uses more than one thread, and
// fewest words a thread of the label merge takes on.
constexpr size_t kMinNotedForThreads = 1 << 16;
constexpr int64_t kMinMergeWordsPerThread = 1 << 18;

}  // namespace

void StarFrame::Attach(PixelBuffer& pixels) {
  m_pixels = &pixels;
  m_ownDrawn.clear();
  m_drawn.Resize(pixels.width, pixels.height);
  m_targets.clear();
  m_written.clear();
  m_wholeClear = true;
  PrepareTargets(1);
}

void StarFrame::PrepareTargets(unsigned count) {
  while (m_targets.size() < count) {
    m_written.emplace_back(Words() / kNotedShare);
    m_targets.push_back({Bits(), Drawn(), m_written.back().data(), 0, m_written.back().size()});
  }
}

void StarFrame::BeginOwnMaps(unsigned count) {
  PrepareTargets(count);
  if (m_ownDrawn.size() + 1 < count) m_ownDrawn.resize(count - 1);
  m_ownNotesBegin.assign(count, 0);
  for (unsigned k = 1; k < count; ++k) {
    std::vector<int32_t>& own = m_ownDrawn[k - 1];
    if (own.size() != Words()) own.assign(Words(), DrawnStarMap::kNoStar);
    m_targets[k].drawn = own.data();
    m_ownNotesBegin[k] = m_targets[k].writtenCount;
  }
}

void StarFrame::EndOwnMaps() {
  int32_t* drawn = Drawn();
  for (unsigned k = 1; k < m_ownNotesBegin.size(); ++k) {
    HighestIndexTarget& target = m_targets[k];
    int32_t* own = target.drawn;
    // The words the target wrote first: its notes, or every word when they
    // ran out. A word is noted once a target, so the chunks never meet.
    const bool noted = target.AllNoted();
    const int64_t words = noted ? static_cast<int64_t>(target.writtenCount - m_ownNotesBegin[k])
                                : static_cast<int64_t>(Words());
    const uint32_t* list = target.written + m_ownNotesBegin[k];
    ForEachChunk(words, kMinMergeWordsPerThread, [&](int64_t begin, int64_t end) {
      for (int64_t i = begin; i < end; ++i) {
        const size_t word = noted ? list[i] : static_cast<size_t>(i);
        drawn[word] = std::max(drawn[word], own[word]);  // its pixel is white already
        own[word] = DrawnStarMap::kNoStar;
      }
    });
    target.drawn = drawn;
  }
  m_ownNotesBegin.clear();
}

void StarFrame::Clear() {
  if (!Attached()) return;
  uint16_t* bits = Bits();
  int32_t* drawn = Drawn();
  const bool allNoted = std::all_of(m_targets.begin(), m_targets.end(),
                                    [](const HighestIndexTarget& target) { return target.AllNoted(); });
  if (m_wholeClear || !allNoted) {
    ClearStarFrame(bits, drawn, Words());
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
  m_wholeClear = false;
}

void StarFrame::MergeLabels(const PixelBuffer& labels) {
  uint16_t* bits = Bits();
  const int32_t* drawn = Drawn();
  const size_t words = std::min(Words(), labels.words.size());
  const uint16_t* from = labels.Bits();
  const int64_t chunks = ChunkCount(static_cast<int64_t>(words), kMinMergeWordsPerThread, TargetCount());
  ForEachChunk(chunks, 1, static_cast<unsigned>(chunks), [&](int64_t first, int64_t last) {
    for (int64_t k = first; k < last; ++k) {
      const size_t end = static_cast<size_t>(ChunkBegin(static_cast<int64_t>(words), chunks, k + 1));
      for (size_t word = static_cast<size_t>(ChunkBegin(static_cast<int64_t>(words), chunks, k));
           word < end;) {
        uint64_t four = 0;  // a block of four black label words is one test
        if (word + 4 <= end && (std::memcpy(&four, from + word, sizeof four), four == 0)) {
          word += 4;
          continue;
        }
        if (from[word] != 0) {
          if (drawn[word] < 0) m_targets[k].Note(word);  // no star wrote it: not noted yet
          bits[word] |= from[word];
        }
        ++word;
      }
    }
  });
}
