// IndexBits: one bit per catalogue index, which threads may set side by
// side; read back in index order, they give a sorted list of indices
// whatever order they were set in.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

struct IndexBits {
  std::vector<uint64_t> words;

  // count bits, all clear.
  void Reset(int64_t count) { words.assign(static_cast<size_t>((count + 63) / 64), 0); }
  void Set(int64_t index) {
    std::atomic_ref<uint64_t>(words[static_cast<size_t>(index) / 64])
        .fetch_or(uint64_t{1} << (index % 64), std::memory_order_relaxed);
  }
  bool Test(int64_t index) const { return (words[static_cast<size_t>(index) / 64] >> (index % 64) & 1) != 0; }
};
