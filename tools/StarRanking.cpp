// Two-pass choice of the nearest or brightest stars by a histogram of ranks.
#include "StarRanking.h"

#include <bit>
#include <cmath>

namespace {

constexpr int kBinBits = 20;

// Maps a float to an unsigned number of the same order.
uint32_t OrderedBits(float value) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}

}  // namespace

double DecodedDistance(const MapStar& star) {
  const double x = Decoded(star.x), y = Decoded(star.y), z = Decoded(star.z);
  return std::sqrt(x * x + (y * y + z * z));
}

StarRanking::StarRanking(KeepRule rule) : m_rule(rule), m_counts(size_t{1} << kBinBits) {}

uint32_t StarRanking::Bin(const MapStar& star) const {
  const double key = m_rule == KeepRule::Nearest ? DecodedDistance(star) : Decoded(star.absMag);
  return OrderedBits(static_cast<float>(key)) >> (32 - kBinBits);
}

void StarRanking::Count(const MapStar& star) { ++m_counts[Bin(star)]; }

void StarRanking::Choose(uint64_t limit) {
  uint64_t below = 0;
  m_border = 0;
  while (m_border < m_counts.size() && below + m_counts[m_border] <= limit) below += m_counts[m_border++];
  m_borderRoom = limit - below;
}

bool StarRanking::Keep(const MapStar& star) {
  const uint32_t bin = Bin(star);
  if (bin < m_border) return true;
  if (bin > m_border || m_borderRoom == 0) return false;
  --m_borderRoom;
  return true;
}
