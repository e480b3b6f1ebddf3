// Splits an index range into contiguous chunks and runs them side by side on
// the machine's cores, the calling thread taking the first chunk itself and
// a persistent pool of workers the others.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>

// A non-owning reference to a callable taking (begin, end): two pointers, no
// allocation. The callable must outlive every call through the reference.
class ChunkFunction {
 public:
  // Implicit, so that a lambda can be passed directly; never chosen for copying.
  template <class Fn, class = std::enable_if_t<!std::is_same_v<std::remove_cvref_t<Fn>, ChunkFunction>>>
  ChunkFunction(Fn&& fn)
      : m_callable(const_cast<void*>(static_cast<const void*>(std::addressof(fn)))),
        m_call([](void* callable, int64_t begin, int64_t end) {
          (*static_cast<std::remove_reference_t<Fn>*>(callable))(begin, end);
        }) {}

  void operator()(int64_t begin, int64_t end) const { m_call(m_callable, begin, end); }

 private:
  void* m_callable;
  void (*m_call)(void*, int64_t, int64_t);
};

// How many chunks ForEachChunk makes of count indices (0 for none), and
// where chunk k of them begins (chunk chunks begins at count).
int64_t ChunkCount(int64_t count, int64_t minChunk, unsigned workers);
int64_t ChunkBegin(int64_t count, int64_t chunks, int64_t k);

// One worker per hardware thread, at least one.
unsigned HardwareWorkers();

// Calls fn(begin, end) on contiguous ranges that together cover [0, count)
// exactly once: one range per worker, but none shorter than minChunk, and at
// least one; their lengths differ by at most one. A single range runs on the
// calling thread with no worker involved. fn must not throw, and must only
// write what belongs to the indices it is given. If a worker cannot be
// started, or the workers are busy with another call (a call from another
// thread, or from inside fn), the calling thread runs the ranges itself.
void ForEachChunk(int64_t count, int64_t minChunk, unsigned workers, ChunkFunction fn);

// The same with one worker per hardware thread.
void ForEachChunk(int64_t count, int64_t minChunk, ChunkFunction fn);
