// The magnitude refresh over the compact copy: classes for every star, the
// exact values for the records that are read, and the bound that settles the
// faint stars beyond the tables.
#include "catalog/MagnitudePass.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

#include "catalog/MagnitudeClass.h"
#include "catalog/Millionths.h"
#include "catalog/StarKernels.h"
#include "parallel/ParallelRange.h"

namespace {

constexpr int64_t kMinStarsPerThread = 32768;

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

// The stars whose records the paint and the labels read: those that may
// get a label (a magnitude below 5), the brightest (whose code is read
// again) and those too near to be drawn.
bool RecordIsRead(uint8_t magnitudeClass) {
  return magnitudeClass >= kClassWhite || magnitudeClass == kClassNear;
}

}  // namespace

double MagnitudePass::FastModulus(double s) {
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

void MagnitudePass::MakeSource(const StarEntry* stars, int32_t count) {
  m_source.resize(static_cast<size_t>(count));
  ForEachChunk(count, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      const StarEntry& star = stars[i];
      Source& source = m_source[i];
      const bool compact = AsMillionths(star.vPos.x, source.x) && AsMillionths(star.vPos.y, source.y) &&
                           AsMillionths(star.vPos.z, source.z) &&
                           AsMillionths(star.dAbsMagnitude, source.absMagnitude) &&
                           source.absMagnitude != kFromRecord;
      if (!compact) source.absMagnitude = kFromRecord;
    }
  });
}

void MagnitudePass::Update(StarEntry* stars, int32_t count, uint64_t positionsStamp,
                           const Vector3D& position) {
  const MagnitudeTables& tables = MagnitudeTables::Get();  // built here, before any worker reads it
  if (m_sourceStamp != positionsStamp || m_source.size() != static_cast<size_t>(count)) {
    m_sourceStamp = 0;
    m_classes = {};
    MakeSource(stars, count);
    m_sourceStamp = positionsStamp;
  }
  m_classes.resize(static_cast<size_t>(count));
  m_position = position;
  m_allWritten = false;
  ForEachChunk(count, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      const Source& source = m_source[i];
      Vector3D pos;
      double absMagnitude;
      if (source.absMagnitude != kFromRecord) {
        pos = {FromMillionths(source.x), FromMillionths(source.y), FromMillionths(source.z)};
        absMagnitude = FromMillionths(source.absMagnitude);
      } else {
        pos = stars[i].vPos;
        absMagnitude = stars[i].dAbsMagnitude;
      }
      const double squared = SquaredDistance(pos, position);
      // Beyond the tables the magnitude is bounded first: a star whose class
      // is the same at both ends of the bound, and whose record is not
      // written, needs neither its square root nor an exact logarithm (to
      // its class, a distance beyond the tables only says it is not too near).
      if (squared > kBeyondTheTables && squared <= std::numeric_limits<double>::max() &&
          std::fabs(absMagnitude) <= kLargestBoundedMagnitude) {
        const double bound = absMagnitude + FastModulus(squared);
        const uint8_t fainter = MagnitudeClassOf(kTablesReach, bound + kFastModulusError);
        if (fainter == MagnitudeClassOf(kTablesReach, bound - kFastModulusError) && !RecordIsRead(fainter)) {
          m_classes[i] = fainter;
          continue;
        }
      }
      const double distance = tables.Distance(squared);
      const double magnitude = absMagnitude + tables.Modulus(distance);
      const uint8_t magnitudeClass = MagnitudeClassOf(distance, magnitude);
      m_classes[i] = magnitudeClass;
      if (RecordIsRead(magnitudeClass)) {
        stars[i].dDistance = distance;
        stars[i].dAppMagnitude = magnitude;
      }
    }
  });
}

void MagnitudePass::WriteAll(StarEntry* stars, int32_t count) {
  if (m_allWritten || m_classes.size() != static_cast<size_t>(count)) return;
  const MagnitudeTables& tables = MagnitudeTables::Get();
  ForEachChunk(count, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      if (i + kPrefetchDistance < end) PrefetchRecord(stars[i + kPrefetchDistance], true);
      UpdateStarMagnitude(stars[i], tables, m_position);
    }
  });
  m_allWritten = true;
}

void MagnitudePass::WriteOne(StarEntry* stars, int32_t index) const {
  if (static_cast<size_t>(index) < m_classes.size())
    UpdateStarMagnitude(stars[index], MagnitudeTables::Get(), m_position);
}
