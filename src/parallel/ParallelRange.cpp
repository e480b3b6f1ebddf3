// Contiguous chunking of an index range over a persistent pool of worker
// threads: a call wakes the workers it needs, runs the first chunk itself and
// waits for the rest, so no thread is started per call.
#include "parallel/ParallelRange.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Workers that sleep between calls. One call at a time owns them; a call made
// while they are busy (from another thread, or from inside a chunk) runs its
// chunks on its own thread instead of waiting.
class ChunkPool {
 public:
  ~ChunkPool() {
    {
      const std::lock_guard lock(m_mutex);
      m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads) thread.join();
  }

  // Runs chunks 1..chunks-1 of runChunk on the workers and chunk 0 on the
  // calling thread; returns when all are done. False, having run nothing,
  // when the pool is busy.
  bool Run(int64_t chunks, ChunkFunction runChunk) {
    bool idle = false;
    if (!m_busy.compare_exchange_strong(idle, true)) return false;
    const size_t helpers = GrowTo(static_cast<size_t>(chunks - 1));
    {
      const std::lock_guard lock(m_mutex);
      m_job = &runChunk;
      m_chunks = chunks;
      m_nextChunk = 1;
      m_unfinished = chunks - 1;
    }
    m_wake.notify_all();
    runChunk(0, 1);
    // Without enough workers the calling thread takes what is left.
    if (helpers < static_cast<size_t>(chunks - 1))
      for (int64_t k; (k = TakeChunk()) >= 0;) FinishChunk(runChunk, k);
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return m_unfinished == 0; });
    m_job = nullptr;
    m_busy = false;
    return true;
  }

 private:
  // Starts workers until there are wanted of them, as far as the system
  // allows; returns how many there are.
  size_t GrowTo(size_t wanted) {
    try {
      while (m_threads.size() < wanted) m_threads.emplace_back([this] { WorkerLoop(); });
    } catch (const std::exception&) {
      // No more threads to be had; the calling thread makes up for them.
    }
    return m_threads.size();
  }

  // The next chunk to run, or -1 when all are taken.
  int64_t TakeChunk() {
    const std::lock_guard lock(m_mutex);
    return m_nextChunk < m_chunks ? m_nextChunk++ : -1;
  }

  void FinishChunk(const ChunkFunction& job, int64_t k) {
    job(k, k + 1);
    const std::lock_guard lock(m_mutex);
    if (--m_unfinished == 0) m_done.notify_one();
  }

  void WorkerLoop() {
    for (;;) {
      const ChunkFunction* job = nullptr;
      int64_t k = -1;
      {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [&] { return m_stopping || m_nextChunk < m_chunks; });
        if (m_stopping) return;
        job = m_job;
        k = m_nextChunk++;
      }
      FinishChunk(*job, k);
    }
  }

  std::atomic<bool> m_busy{false};  // set for the whole of one call
  std::mutex m_mutex;               // guards everything below
  std::condition_variable m_wake;
  std::condition_variable m_done;
  std::vector<std::thread> m_threads;
  const ChunkFunction* m_job = nullptr;
  int64_t m_chunks = 0;
  int64_t m_nextChunk = 0;
  int64_t m_unfinished = 0;
  bool m_stopping = false;
};

ChunkPool& Pool() {
  static ChunkPool pool;
  return pool;
}

}  // namespace

int64_t ChunkCount(int64_t count, int64_t minChunk, unsigned workers) {
  if (count <= 0) return 0;
  const int64_t fullChunks = count / std::max<int64_t>(minChunk, 1);
  return std::clamp<int64_t>(fullChunks, 1, std::max(workers, 1u));
}

int64_t ChunkBegin(int64_t count, int64_t chunks, int64_t k) {
  return count / chunks * k + count % chunks * k / chunks;
}

unsigned HardwareWorkers() { return std::max(std::thread::hardware_concurrency(), 1u); }

void ForEachChunk(int64_t count, int64_t minChunk, unsigned workers, ChunkFunction fn) {
  const int64_t chunks = ChunkCount(count, minChunk, workers);
  if (chunks == 0) return;
  auto runChunks = [&](int64_t first, int64_t last) {
    for (int64_t k = first; k < last; ++k) fn(ChunkBegin(count, chunks, k), ChunkBegin(count, chunks, k + 1));
  };
  if (chunks == 1 || !Pool().Run(chunks, runChunks)) runChunks(0, chunks);
}

void ForEachChunk(int64_t count, int64_t minChunk, ChunkFunction fn) {
  ForEachChunk(count, minChunk, HardwareWorkers(), fn);
}
