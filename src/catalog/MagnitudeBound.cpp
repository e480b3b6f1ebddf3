// The table logarithm and the bounds it gives.
#include "catalog/MagnitudeBound.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

#include "catalog/MagnitudeClass.h"

namespace magnitude_bound {

namespace {

// log2(1 + j / 1024) for j = 0 .. 1024: between two entries the chord of
// log2 lies below it by less than (1/1024)^2 / 8 / ln 2 = 1.8e-7.
constexpr int kLogTableBits = 10;
constexpr int kLogTableSteps = 1 << kLogTableBits;

const std::array<double, kLogTableSteps + 1>& Log2Table() {
  static const std::array<double, kLogTableSteps + 1> table = [] {
    std::array<double, kLogTableSteps + 1> t{};
    for (int j = 0; j <= kLogTableSteps; ++j) t[j] = std::log2(1.0 + j / static_cast<double>(kLogTableSteps));
    return t;
  }();
  return table;
}

// The distance the tables reach, and the squared distances that lie beyond
// it by a margin no rounding of the square root closes.
constexpr double kTablesReach = 1000.0;
constexpr double kBeyondTheTables = 1.000001e6;

// The largest absolute magnitude for which the bound is used: beyond it the
// sum's rounding would no longer be small beside kFastModulusError.
constexpr double kLargestBoundedMagnitude = 1e6;

// Squared distances from which no star is too near to be drawn, with a
// margin for the rounding of the square root.
constexpr double kBeyondNear = kNearestDrawnDistance * kNearestDrawnDistance * 1.001;

// What the table lookups and the roundings of a sum can take off a
// modulus or a magnitude that grows with the distance: far less than this.
constexpr double kRoundingMargin = 1e-9;

}  // namespace

double FastModulus(double s) {
  // s = 2^e * (1 + u) with u in [0, 1): log2 s = e + log2(1 + u), the latter
  // from the table's chord at u; log2 d is half of it.
  const uint64_t bits = std::bit_cast<uint64_t>(s);
  const int exponent = static_cast<int>(bits >> 52) - 1023;
  const uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  const int j = static_cast<int>(mantissa >> (52 - kLogTableBits));
  const double within = static_cast<double>(mantissa & ((uint64_t{1} << (52 - kLogTableBits)) - 1)) *
                        (1.0 / static_cast<double>(uint64_t{1} << (52 - kLogTableBits)));
  const std::array<double, kLogTableSteps + 1>& table = Log2Table();
  const double log2s = exponent + (table[j] + within * (table[j + 1] - table[j]));
  constexpr double kHalfFiveLog10Of2 = 0.752574989159953;  // 5 log10 2 / 2
  constexpr double kFiveLog10Of32_6 = 7.566088000339695;   // 5 log10 32.6
  return kHalfFiveLog10Of2 * log2s - kFiveLog10Of32_6;
}

uint8_t ClassOf(double squared, double absMagnitude, const MagnitudeTables& tables) {
  // A star whose class is the same at both ends of the bound needs neither
  // its square root nor an exact logarithm (to its class, a distance beyond
  // the tables only says it is not too near).
  if (squared > kBeyondTheTables && squared <= std::numeric_limits<double>::max() &&
      std::fabs(absMagnitude) <= kLargestBoundedMagnitude) {
    const double bound = absMagnitude + FastModulus(squared);
    const uint8_t fainter = MagnitudeClassOf(kTablesReach, bound + kFastModulusError);
    if (fainter == MagnitudeClassOf(kTablesReach, bound - kFastModulusError)) return fainter;
  }
  const double distance = tables.Distance(squared);
  return MagnitudeClassOf(distance, absMagnitude + tables.Modulus(distance));
}

int64_t FaintFromMillionths(double squared, const MagnitudeTables& tables) {
  // The distance and the modulus both grow with the squared distance (the
  // lookups read a table at the index below, of a function that grows), so
  // a star farther away has at least this modulus, short of the roundings.
  constexpr int64_t kNone = std::numeric_limits<int64_t>::max();
  if (!(squared >= kBeyondNear)) return kNone;
  const double modulus = tables.Modulus(tables.Distance(squared));
  if (!(modulus > -1e6)) return kNone;  // not a number either
  // An infinite modulus (an infinite distance) makes every star faint.
  const double faintFrom = std::ceil((7.0 - modulus + kRoundingMargin) * 1e6);
  if (!(faintFrom < 1e12)) return kNone;
  return faintFrom > -1e12 ? static_cast<int64_t>(faintFrom) : std::numeric_limits<int64_t>::min();
}

}  // namespace magnitude_bound
