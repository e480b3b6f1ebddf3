// A map file stores positions and magnitudes as whole millionths N and the
// records hold N * 1e-6: compact copies of the records keep N and make the
// doubles again from it, to the bit.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

// The value a record holds for n millionths.
inline double FromMillionths(int32_t n) { return static_cast<double>(n) * 1e-6; }

// The whole number n with n * 1e-6 == v to the bit; false when v is no such
// product (nor -0.0 one).
inline bool AsMillionths(double v, int32_t& n) {
  const double scaled = std::nearbyint(v * 1e6);
  if (!(scaled >= std::numeric_limits<int32_t>::min() && scaled <= std::numeric_limits<int32_t>::max()))
    return false;
  n = static_cast<int32_t>(scaled);
  return std::bit_cast<uint64_t>(FromMillionths(n)) == std::bit_cast<uint64_t>(v);
}
