// Contiguous chunking of an index range over worker threads.
#include "catalog/ParallelRange.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace {

// Start of chunk k of chunks: the remainder is spread one index at a time.
int64_t ChunkBegin(int64_t count, int64_t chunks, int64_t k) {
  return count / chunks * k + count % chunks * k / chunks;
}

// One chunk per worker, but none shorter than minChunk, and at least one.
int64_t ChunkCount(int64_t count, int64_t minChunk, unsigned workers) {
  const int64_t fullChunks = count / std::max<int64_t>(minChunk, 1);
  return std::clamp<int64_t>(fullChunks, 1, std::max(workers, 1u));
}

}  // namespace

void ForEachChunk(int64_t count, int64_t minChunk, unsigned workers, ChunkFunction fn) {
  if (count <= 0) return;
  const int64_t chunks = ChunkCount(count, minChunk, workers);
  auto runChunk = [&](int64_t k) { fn(ChunkBegin(count, chunks, k), ChunkBegin(count, chunks, k + 1)); };

  std::vector<std::jthread> threads;  // joined on leaving, before runChunk and fn go
  int64_t nextChunk = 1;              // chunk 0 is the calling thread's
  try {
    threads.reserve(static_cast<size_t>(chunks - 1));
    for (; nextChunk < chunks; ++nextChunk) threads.emplace_back(runChunk, nextChunk);
  } catch (const std::exception&) {
    // No more threads to be had (system_error, or no memory for their bookkeeping).
  }
  runChunk(0);
  for (; nextChunk < chunks; ++nextChunk) runChunk(nextChunk);
}

void ForEachChunk(int64_t count, int64_t minChunk, ChunkFunction fn) {
  ForEachChunk(count, minChunk, std::thread::hardware_concurrency(), fn);
}
