// Splits an index range into contiguous chunks and runs them side by side on
// the machine's cores, the calling thread taking the first chunk itself.
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

// Calls fn(begin, end) on contiguous ranges that together cover [0, count)
// exactly once: one range per worker, but none shorter than minChunk, and at
// least one; their lengths differ by at most one. A single range runs on the
// calling thread with no thread started. fn must not throw, and must only
// write what belongs to the indices it is given. If a thread cannot be
// started, the calling thread runs the remaining ranges itself.
void ForEachChunk(int64_t count, int64_t minChunk, unsigned workers, ChunkFunction fn);

// The same with one worker per hardware thread.
void ForEachChunk(int64_t count, int64_t minChunk, ChunkFunction fn);
