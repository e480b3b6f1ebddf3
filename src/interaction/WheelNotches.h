// Adds up wheel turns to whole notches. A classic wheel sends 120 units of
// angle per notch; high-resolution wheels and touchpads send fractions of
// that, which count once they add up to a notch.
#pragma once

#include <cstdint>

class WheelNotches {
 public:
  // One notch of a classic wheel, in angle units.
  static constexpr int64_t kUnitsPerNotch = 120;

  // Adds angleDelta units (positive away from the user) and returns the whole
  // notches they complete, signed; the rest carries over. A turn against the
  // carried direction works off the carried units first.
  int64_t Add(int angleDelta);
  // Forgets the carried part of a notch.
  void Reset() { m_units = 0; }

 private:
  int64_t m_units = 0;  // always within one notch of zero, so no sum can overflow
};
