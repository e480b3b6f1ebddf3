// MagnitudeBound: a star's MagnitudeClass from its squared distance to the
// observer and its absolute magnitude, exactly the class of the distance and
// magnitude that UpdateStarMagnitude writes, for the refresh that needs the
// classes of millions of stars and the exact values of few.
//
// Beyond the tables (1000 light years) a star's magnitude is first bounded
// with a logarithm from a table with a known error: only the stars within
// that error of a class's edge get the square root and the exact log10.
// For a group of stars no nearer than a given distance, FaintFrom gives the
// absolute magnitude from which all of them are too faint to be drawn.
#pragma once

#include <cstdint>

#include "geometry/MagnitudeTables.h"

namespace magnitude_bound {

// Largest error of FastModulus against the exact modulus, in magnitudes.
inline constexpr double kFastModulusError = 1e-5;

// 5 * log10(d / 32.6) of the distance d = sqrt(s), for a finite squared
// distance s above 1e6, to within kFastModulusError (no square root taken).
double FastModulus(double s);

// MagnitudeClassOf(tables.Distance(squared), absMagnitude + tables.Modulus(that distance)).
uint8_t ClassOf(double squared, double absMagnitude, const MagnitudeTables& tables);

// An absolute magnitude in whole millionths from which every star whose
// squared distance is at least squared has the class kClassFaint; INT64_MAX
// when the distance lets no such bound be given (too near, or not a number).
int64_t FaintFromMillionths(double squared, const MagnitudeTables& tables);

}  // namespace magnitude_bound
