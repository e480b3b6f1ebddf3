// The star pass's per-thread layers and their merge in catalogue order.
#include "render/StarLayers.h"

#include <cstring>
#include <new>

#include "parallel/ParallelRange.h"

namespace {

// Fewest words a thread of the merge takes on.
constexpr int64_t kMinWordsPerThread = 1 << 18;

// Words looked at together: a block of four blank pixels is one test.
constexpr size_t kBlock = 4;

bool BlankBlock(const uint16_t* words) {
  uint64_t block = 0;
  std::memcpy(&block, words, sizeof block);
  return block == 0;
}

}  // namespace

bool StarLayers::Prepare(int width, int height, int count) {
  const size_t words = static_cast<size_t>(width) * static_cast<size_t>(height);
  const size_t total = words * static_cast<size_t>(count);
  if (words == m_words && m_bits.size() >= total) return true;
  try {
    m_words = words;
    m_bits.assign(total, 0);
    m_drawn.resize(total);
    return true;
  } catch (const std::bad_alloc&) {
    m_words = 0;
    m_bits = {};
    m_drawn = {};
    return false;
  }
}

StarTarget StarLayers::Layer(int k, bool withDrawn) {
  const size_t offset = static_cast<size_t>(k - 1) * m_words;
  return {m_bits.data() + offset, withDrawn ? m_drawn.data() + offset : nullptr};
}

void StarLayers::MergeInto(uint16_t* bits, int32_t* drawn, int count) {
  ForEachChunk(static_cast<int64_t>(m_words), kMinWordsPerThread, [&](int64_t begin, int64_t end) {
    for (int k = 1; k <= count; ++k) {
      const size_t offset = static_cast<size_t>(k - 1) * m_words;
      uint16_t* layer = m_bits.data() + offset;
      const int32_t* layerDrawn = m_drawn.data() + offset;
      for (size_t word = static_cast<size_t>(begin), last = static_cast<size_t>(end); word < last;) {
        if (word + kBlock <= last && BlankBlock(layer + word)) {
          word += kBlock;
          continue;
        }
        if (layer[word] != 0) {
          bits[word] = layer[word];
          if (drawn) drawn[word] = layerDrawn[word];
          layer[word] = 0;
        }
        ++word;
      }
    }
  });
}
