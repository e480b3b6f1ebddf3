// The range splitting behind the catalogue passes, and the passes split over
// threads against the one-thread reference loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "ReferencePasses.h"
#include "catalog/StarCatalog.h"
#include "geometry/MagnitudeTables.h"
#include "geometry/Projection.h"
#include "geometry/ViewBasis.h"
#include "parallel/ParallelRange.h"

namespace {

TEST(ForEachChunk, CoversEveryIndexOnceInEvenContiguousChunks) {
  constexpr int64_t kMinChunk = 1000;
  constexpr int64_t kThreshold = 2 * kMinChunk;  // the smallest count that is split
  struct Row {
    const char* name;
    int64_t count;
    unsigned workers;
    size_t chunks;
  };
  const Row rows[] = {
      {"empty", 0, 2, 0},
      {"one index", 1, 2, 1},
      {"just under the threshold", kThreshold - 1, 2, 1},
      {"at the threshold", kThreshold, 2, 2},
      {"just over the threshold", kThreshold + 1, 2, 2},
      {"large, two workers", 1000003, 2, 2},
      {"large, seven workers, uneven split", 1000003, 7, 7},
      {"fewer full chunks than workers", 3 * kMinChunk + 999, 8, 3},
      {"no worker count known", 1000003, 0, 1},
      {"one worker", 1000003, 1, 1},
  };
  for (const Row& row : rows) {
    std::mutex mutex;
    std::vector<std::pair<int64_t, int64_t>> chunks;
    std::vector<std::thread::id> threads;
    ForEachChunk(row.count, kMinChunk, row.workers, [&](int64_t begin, int64_t end) {
      const std::lock_guard lock(mutex);
      chunks.emplace_back(begin, end);
      threads.push_back(std::this_thread::get_id());
    });
    ASSERT_EQ(chunks.size(), row.chunks) << row.name;
    std::sort(chunks.begin(), chunks.end());
    int64_t next = 0, shortest = row.count, longest = 0;
    for (const auto& [begin, end] : chunks) {
      EXPECT_EQ(begin, next) << row.name;  // no gap, no overlap
      EXPECT_LT(begin, end) << row.name;
      shortest = std::min(shortest, end - begin);
      longest = std::max(longest, end - begin);
      next = end;
    }
    EXPECT_EQ(next, row.count) << row.name;
    if (!chunks.empty()) {
      EXPECT_LE(longest - shortest, 1) << row.name;
    }
    // The calling thread always takes a chunk; a single chunk starts no thread.
    EXPECT_TRUE(row.count == 0 || std::count(threads.begin(), threads.end(), std::this_thread::get_id()) == 1)
        << row.name;
  }
}

TEST(ForEachChunk, CallsFromInsideAChunkOrAnotherThreadStillCoverEveryIndex) {
  constexpr int64_t kOuter = 4, kInner = 5000;
  std::vector<std::vector<int>> hits(kOuter, std::vector<int>(kInner, 0));
  auto nested = [&](int64_t begin, int64_t end) {
    for (int64_t k = begin; k < end; ++k)
      ForEachChunk(kInner, 100, 3, [&](int64_t b, int64_t e) {
        for (int64_t i = b; i < e; ++i) ++hits[static_cast<size_t>(k)][static_cast<size_t>(i)];
      });
  };
  std::thread other([&] { ForEachChunk(kOuter / 2, 1, 2, nested); });
  ForEachChunk(kOuter / 2, 1, 2,
               [&](int64_t begin, int64_t end) { nested(begin + kOuter / 2, end + kOuter / 2); });
  other.join();
  for (const std::vector<int>& row : hits) EXPECT_EQ(std::count(row.begin(), row.end(), 1), kInner);
}

// The observer the random catalogues are seen from: a general basis and zoom.
const Vector3D kObserver(12.5, -3.0, 40.0);
const ViewBasis kBasis = ComputeBasis(1.0, 0.5);
constexpr double kZoom = 2.0;

// Stars at random positions within +-2147 light years, with random leftovers in
// every working field. At both ends of the list, so in the first and the last
// chunk, the cases that take the kernels' other branches: the observer's own
// position, and squared distances on and beside the bounds of the lookup
// ranges (offsets exact in binary, so position minus observer gives them back).
std::vector<StarEntry> RandomStars(int32_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int32_t> millionths(-2147483647, 2147483647);
  std::uniform_real_distribution<double> leftover(-10.0, 10.0);
  const Vector3D offsets[] = {{0, 0, 0},     {31, 7, 0},    {31, 6.9375, 0}, {100, 0, 0},
                              {100, 10, 0},  {300, 100, 0}, {500, 200, 100}, {1000, 0, 0},
                              {0, 0, -1000}, {0, 1000, 1},  {10, 0, 0},      {0, 0.0078125, 0}};
  std::vector<StarEntry> stars(static_cast<size_t>(count));
  // Padding bytes too, so that whole records can be compared with memcmp.
  std::memset(static_cast<void*>(stars.data()), 0, stars.size() * sizeof(StarEntry));
  for (size_t i = 0; i < stars.size(); ++i) {
    StarEntry& star = stars[i];
    const size_t fromEnd = stars.size() - 1 - i;
    if (i < std::size(offsets)) {
      star.vPos = kObserver + offsets[i];
    } else if (fromEnd < std::size(offsets)) {
      star.vPos = kObserver + offsets[fromEnd];
    } else {
      star.vPos.x = millionths(random) / 1e6;
      star.vPos.y = millionths(random) / 1e6;
      star.vPos.z = millionths(random) / 1e6;
    }
    star.dAbsMagnitude = leftover(random);
    star.dProjX = leftover(random);
    star.dProjY = leftover(random);
    star.dDistance = leftover(random);
    star.dAppMagnitude = leftover(random);
    star.bVisible = static_cast<int32_t>(random() & 1);
  }
  return stars;
}

bool SameBytes(const StarCatalog& catalog, const std::vector<StarEntry>& expected) {
  return std::memcmp(catalog.m_pStars, expected.data(), expected.size() * sizeof(StarEntry)) == 0;
}

TEST(ParallelPasses, RecordsMatchTheSerialLoopByteForByte) {
  constexpr int32_t kThreshold = 2 * StarCatalog::kMinStarsPerThread;
  const int32_t sizes[] = {1, kThreshold - 1, kThreshold, kThreshold + 1, 3 * kThreshold + 7, 300007};
  for (const int32_t size : sizes) {
    SCOPED_TRACE(size);
    std::vector<StarEntry> expected = RandomStars(size, static_cast<uint32_t>(size));
    StarCatalog catalog;
    ASSERT_EQ(catalog.Allocate(size), 1);
    std::memcpy(catalog.m_pStars, expected.data(), expected.size() * sizeof(StarEntry));

    catalog.ProjectStars(kObserver, kBasis.forward, kBasis.right * kZoom, kBasis.down * kZoom);
    reference::ProjectStars(expected.data(), size, kObserver, kBasis.forward, kBasis.right * kZoom,
                            kBasis.down * kZoom);
    EXPECT_TRUE(SameBytes(catalog, expected));

    catalog.UpdateMagnitudes(kObserver);
    catalog.WriteAllMagnitudes();  // a faint star's record is written only on demand
    reference::UpdateMagnitudes(expected.data(), size, kObserver);
    EXPECT_TRUE(SameBytes(catalog, expected));

    // Both branches of the projection were taken, so kept leftovers were compared too.
    const auto visible = std::count_if(expected.begin(), expected.end(),
                                       [](const StarEntry& star) { return star.bVisible == 1; });
    if (size > 100) {
      EXPECT_GT(visible, 0);
      EXPECT_LT(visible, size);
    }
  }
}

}  // namespace
