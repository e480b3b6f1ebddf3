// MagnitudePass: the catalogue's refresh of the stars' distances and
// apparent magnitudes for an observer position. It works from a compact copy
// of what the magnitudes are made of (positions and absolute magnitudes in a
// map file's whole millionths, 16 bytes a star) and gives every star its
// MagnitudeClass. The exact dDistance and dAppMagnitude, as
// UpdateStarMagnitude makes them, are written into the records that the
// paint and the labels read: the stars of magnitude below 5 and those too
// near to be drawn. Every other record keeps older values until WriteAll or
// WriteOne (which the pick calls for the stars it compares), and what the
// paint reads of it is its class.
//
// Beyond the tables (1000 light years) a star's magnitude is first bounded
// with a logarithm from a table with a known error: only the stars within
// that error of a class's edge, or bright enough for their records to be
// written, get the exact log10.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "catalog/StarEntry.h"
#include "geometry/Vector3D.h"

class MagnitudePass {
 public:
  // Refreshes stars[0, count) for position; positionsStamp tells when the
  // compact copy must be made again. Throws std::bad_alloc, with nothing
  // changed, when the memory for the copy and the classes is not to be had.
  void Update(StarEntry* stars, int32_t count, uint64_t positionsStamp, const Vector3D& position);
  // Writes the exact values into every record, for the position of the last
  // Update (once; until the next Update).
  void WriteAll(StarEntry* stars, int32_t count);
  // Writes the exact values into record index of stars, for the position of
  // the last Update.
  void WriteOne(StarEntry* stars, int32_t index) const;
  // Forgets the classes (the records changed by other means).
  void Forget() { m_classes = {}; }

  // By catalogue index, as of the last Update; null when there is none.
  const uint8_t* Classes() const { return m_classes.empty() ? nullptr : m_classes.data(); }

  // Largest error of FastModulus against the exact modulus, in magnitudes.
  static constexpr double kFastModulusError = 1e-5;
  // 5 * log10(d / 32.6) of the distance d = sqrt(s), for a finite squared
  // distance s above 1e6, to within kFastModulusError (no square root taken).
  static double FastModulus(double s);

 private:
  // A star's position and absolute magnitude in millionths, or kFromRecord
  // in absMagnitude when its record's values are no such products.
  struct Source {
    int32_t x, y, z;
    int32_t absMagnitude;
  };
  static constexpr int32_t kFromRecord = std::numeric_limits<int32_t>::min();

  void MakeSource(const StarEntry* stars, int32_t count);

  std::vector<Source> m_source;
  std::vector<uint8_t> m_classes;
  uint64_t m_sourceStamp = 0;
  Vector3D m_position;
  bool m_allWritten = false;
};
