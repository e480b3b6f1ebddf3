// Block fills of the view's buffers, split over the cores for large frames.
#include "render/FrameClear.h"

#include <algorithm>
#include <cstring>

#include "parallel/ParallelRange.h"
#include "render/DrawnStarMap.h"

namespace {

// Fewest pixels a thread of a clear takes on.
constexpr int64_t kMinWordsPerThread = 1 << 18;

bool IsBlack(const uint16_t* words, size_t count) {
  uint64_t any = 0;
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    uint64_t block = 0;
    std::memcpy(&block, words + i, sizeof block);
    any |= block;
    if ((i & 1023) == 0 && any != 0) return false;
  }
  for (; i < count; ++i) any |= words[i];
  return any == 0;
}

}  // namespace

void ClearStarFrame(uint16_t* bits, int32_t* drawn, size_t words) {
  ForEachChunk(static_cast<int64_t>(words), kMinWordsPerThread, [&](int64_t begin, int64_t end) {
    std::fill(bits + begin, bits + end, uint16_t{0});
    if (drawn) std::fill(drawn + begin, drawn + end, DrawnStarMap::kNoStar);
  });
}

void ClearToBlack(PixelBuffer& buffer) {
  if (!IsBlack(buffer.words.data(), buffer.words.size()))
    std::fill(buffer.words.begin(), buffer.words.end(), 0);
}
