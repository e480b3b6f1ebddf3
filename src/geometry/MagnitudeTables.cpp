// Builds the six lookup tables once per process.
#include "geometry/MagnitudeTables.h"

#include <cmath>

const MagnitudeTables& MagnitudeTables::Get() {
  static const MagnitudeTables tables;
  return tables;
}

double MagnitudeTables::ComputedModulus(double d) { return 5.0 * std::log10(d / 32.6); }

MagnitudeTables::MagnitudeTables() {
  // Entries below 100 of every table but the finest modulus table are never read.
  m_modulus100[0] = -19.0;
  for (int i = 1; i < kEntries; ++i) m_modulus100[i] = 5.0 * std::log10(i / 3260.0);
  for (int i = 100; i < kEntries; ++i) {
    m_modulus10[i] = 5.0 * std::log10(i / 326.0);
    m_modulus1[i] = 5.0 * std::log10(i / 32.6);
    m_distance10[i] = std::sqrt(static_cast<double>(10 * i));
    m_distance100[i] = std::sqrt(static_cast<double>(100 * i));
    m_distance1000[i] = std::sqrt(static_cast<double>(1000 * i));
  }
}
