// The largest catalogue the header can describe: 16,777,215 stars of the
// smallest record size, built in memory. Skipped on a machine without the
// memory for it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "MapBytes.h"
#include "catalog/StarCatalog.h"

namespace {

constexpr uint32_t kLargestCount = 0xFFFFFF;

// The kernel's estimate of the memory available without swapping, or -1 when unknown.
int64_t AvailableMemoryBytes() {
  std::ifstream meminfo("/proc/meminfo");
  for (std::string line; std::getline(meminfo, line);)
    if (line.starts_with("MemAvailable:")) return std::stoll(line.substr(13)) * 1024;  // "... kB"
  return -1;
}

int32_t Coordinate(uint32_t i, uint32_t salt) { return static_cast<int32_t>((i * 2654435761u) ^ salt); }

TEST(LargeMap, LargestCountLoads) {
  // The map's bytes, the record array, and room for the rest of the process.
  const int64_t needed = int64_t{kLargestCount} * (21 + sizeof(StarEntry)) + (int64_t{256} << 20);
  const int64_t available = AvailableMemoryBytes();
  if (available >= 0 && available < needed)
    GTEST_SKIP() << "needs " << (needed >> 20) << " MiB of available memory, the machine has "
                 << (available >> 20) << " MiB (MemAvailable in /proc/meminfo)";

  Bytes bytes = MapHeader(kLargestCount);
  bytes.reserve(bytes.size() + size_t{kLargestCount} * 21);
  for (uint32_t i = 0; i < kLargestCount; ++i)
    AppendMinimalRecord(bytes, i, Coordinate(i, 1), Coordinate(i, 2), Coordinate(i, 3), Coordinate(i, 4));

  StarCatalog catalog;
  MapDiagnosis diagnosis;
  ASSERT_EQ(catalog.LoadStarMap(bytes.data(), bytes.size(), &diagnosis), 1);
  ASSERT_EQ(catalog.m_nStars, 16777215);
  EXPECT_EQ(diagnosis.endOffset, bytes.size());
  for (uint32_t i : {0u, 1u, 8388607u, kLargestCount - 1}) {
    const StarEntry& star = catalog.m_pStars[i];
    EXPECT_EQ(star.nCatalogNumber, static_cast<int32_t>(i));
    EXPECT_EQ(star.vPos.x, static_cast<double>(Coordinate(i, 1)) * 1e-6);
    EXPECT_EQ(star.vPos.z, static_cast<double>(Coordinate(i, 3)) * 1e-6);
    EXPECT_EQ(star.dAbsMagnitude, static_cast<double>(Coordinate(i, 4)) * 1e-6);
    EXPECT_STREQ(star.szName, "");
  }
}

}  // namespace
