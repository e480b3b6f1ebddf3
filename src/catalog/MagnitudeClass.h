// MagnitudeClass: all that the paint and the labels need of a star's
// distance and apparent magnitude, in a byte: too near to be drawn, too
// faint, one of the three pixel levels, or the size of its disc. A magnitude
// refresh settles most stars' classes without computing their magnitudes
// exactly (catalog/MagnitudeBound).
#pragma once

#include <cstdint>

// Stars nearer than this many light years are never drawn nor labelled.
inline constexpr double kNearestDrawnDistance = 0.01;

inline constexpr uint8_t kClassNear = 0;      // nearer than kNearestDrawnDistance
inline constexpr uint8_t kClassFaint = 1;     // magnitude 7 or more, or not a number
inline constexpr uint8_t kClassDarkGrey = 2;  // from 6 to 7
inline constexpr uint8_t kClassGrey = 3;      // from 5 to 6
inline constexpr uint8_t kClassWhite = 4;     // from 3 to 5
// Below 3: a disc of size trunc(5 - m), class kClassFirstDisc + size - 2,
// for sizes up to kLargestClassDisc.
inline constexpr uint8_t kClassFirstDisc = 5;
inline constexpr int32_t kLargestClassDisc = 127;
// Any lower magnitude: its record tells.
inline constexpr uint8_t kClassLowerStill = 255;

// The class of a star of this distance and apparent magnitude.
inline uint8_t MagnitudeClassOf(double distance, double magnitude) {
  if (distance < kNearestDrawnDistance) return kClassNear;
  if (!(magnitude < 7.0)) return kClassFaint;
  if (magnitude >= 6.0) return kClassDarkGrey;
  if (magnitude >= 5.0) return kClassGrey;
  if (magnitude >= 3.0) return kClassWhite;
  const double size = 5.0 - magnitude;
  if (!(size < kLargestClassDisc + 1.0)) return kClassLowerStill;
  return static_cast<uint8_t>(kClassFirstDisc + (static_cast<int32_t>(size) - 2));
}
