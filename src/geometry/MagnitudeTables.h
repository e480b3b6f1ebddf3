// Lookup tables for distances and distance moduli, and the two rules that
// turn a squared distance into a distance and a distance into a modulus.
// In the middle ranges the square root and the logarithm are looked up, which
// quantises the distance; that quantised value is what is stored and printed.
#pragma once

#include <array>
#include <cmath>

class MagnitudeTables {
 public:
  // Indices 0..1000: entry 1000 holds its formula's value, so that a lookup
  // at the exact upper bound of a range (s = 10000, D = 10, ...) stays inside.
  static constexpr int kEntries = 1001;
  using Table = std::array<double, kEntries>;

  // The process-wide tables, built at the first call.
  static const MagnitudeTables& Get();

  // Distance in light years from the squared distance s, by range.
  double Distance(double s) const {
    if (s < 1010.0) return std::sqrt(s);
    if (s <= 10000.0) return m_distance10[static_cast<int>(s) / 10];
    if (s <= 100000.0) return m_distance100[static_cast<int>(s) / 100];
    if (!(s <= 1000000.0)) return std::sqrt(s);  // beyond the tables, or not a number
    return m_distance1000[static_cast<int>(s) / 1000];
  }

  // Distance modulus 5*log10(d/32.6), looked up at 0.01, 0.1 or 1 light year
  // resolution up to 1000 light years. Entry 0 of the finest table is -19.
  double Modulus(double d) const {
    if (d <= 10.0) return m_modulus100[static_cast<int>(d * 100.0)];
    if (d <= 100.0) return m_modulus10[static_cast<int>(d * 10.0)];
    if (d <= 1000.0) return m_modulus1[static_cast<int>(d)];
    return ComputedModulus(d);
  }

  static double ComputedModulus(double d);

  const Table& DistanceTable10() const { return m_distance10; }
  const Table& DistanceTable100() const { return m_distance100; }
  const Table& DistanceTable1000() const { return m_distance1000; }
  const Table& ModulusTable100() const { return m_modulus100; }
  const Table& ModulusTable10() const { return m_modulus10; }
  const Table& ModulusTable1() const { return m_modulus1; }

 private:
  MagnitudeTables();

  Table m_distance10{};
  Table m_distance100{};
  Table m_distance1000{};
  Table m_modulus100{};
  Table m_modulus10{};
  Table m_modulus1{};
};
