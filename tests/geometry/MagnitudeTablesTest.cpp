// Distance and modulus lookups: ranges, quantisation and the exact upper bounds.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/MagnitudeTables.h"

namespace {
const MagnitudeTables& T() { return MagnitudeTables::Get(); }

// The formulas evaluated at run time through the C library, as the tables
// are: the compiler folds constant log10 and sqrt calls with correct
// rounding, which can differ from the library in the last bit.
double Log10(double v) {
  volatile double x = v;
  return std::log10(x);
}
double Sqrt(double v) {
  volatile double x = v;
  return std::sqrt(x);
}
}  // namespace

TEST(MagnitudeTables, EntriesFollowTheirFormulas) {
  EXPECT_EQ(T().ModulusTable100()[0], -19.0);
  EXPECT_EQ(T().ModulusTable100()[500], 5.0 * Log10(500 / 3260.0));
  EXPECT_EQ(T().ModulusTable10()[502], 5.0 * Log10(502 / 326.0));
  EXPECT_EQ(T().ModulusTable1()[141], 5.0 * Log10(141 / 32.6));
  EXPECT_EQ(T().DistanceTable10()[253], Sqrt(2530.0));
  EXPECT_EQ(T().DistanceTable100()[200], Sqrt(20000.0));
  EXPECT_EQ(T().DistanceTable1000()[300], Sqrt(300000.0));
  EXPECT_EQ(&T(), &MagnitudeTables::Get());
}

TEST(MagnitudeTables, DistanceByRange) {
  struct Row {
    const char* name;
    double s;
    double expected;
  };
  const Row rows[] = {
      {"on the star", 0.0, 0.0},
      {"five light years", 25.0, 5.0},
      {"just below 1010 is a plain root", 1009.9999, Sqrt(1009.9999)},
      {"1010 is looked up", 1010.0, Sqrt(1010.0)},
      {"50.37 ly quantised down", 2537.1369, Sqrt(2530.0)},
      {"upper bound of the tens", 10000.0, Sqrt(10000.0)},
      {"10100 maps to exactly 100", 10099.0, 100.0},
      {"hundreds", 20000.0, Sqrt(20000.0)},
      {"upper bound of the hundreds", 100000.0, Sqrt(100000.0)},
      {"thousands", 300000.0, Sqrt(300000.0)},
      {"upper bound of the thousands", 1000000.0, Sqrt(1000000.0)},
      {"beyond the tables", 2000000.0, Sqrt(2000000.0)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(T().Distance(row.s), row.expected);
  }
}

TEST(MagnitudeTables, ModulusByRange) {
  struct Row {
    const char* name;
    double d;
    double expected;
  };
  const Row rows[] = {
      {"zero distance", 0.0, -19.0},
      {"below a hundredth", 0.009, -19.0},
      {"five light years", 5.0, 5.0 * Log10(500 / 3260.0)},
      {"exactly 10", 10.0, 5.0 * Log10(1000 / 3260.0)},
      {"tenths", Sqrt(2530.0), 5.0 * Log10(502 / 326.0)},
      {"exactly 100", 100.0, 5.0 * Log10(1000 / 326.0)},
      {"whole light years", Sqrt(20000.0), 5.0 * Log10(141 / 32.6)},
      {"exactly 1000", 1000.0, 5.0 * Log10(1000 / 32.6)},
      {"computed beyond", Sqrt(2000000.0), 5.0 * Log10(Sqrt(2000000.0) / 32.6)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(T().Modulus(row.d), row.expected);
  }
}

TEST(MagnitudeTables, WorkedModuli) {
  EXPECT_NEAR(T().Modulus(5.0), -4.0712, 1e-4);
  EXPECT_NEAR(T().Modulus(T().Distance(2537.1369)), 0.9374, 1e-4);
  EXPECT_NEAR(T().Modulus(T().Distance(20000.0)), 3.1800, 1e-4);
  EXPECT_NEAR(T().Modulus(T().Distance(300000.0)), 6.1238, 1e-4);
  EXPECT_NEAR(T().Modulus(T().Distance(2000000.0)), 8.1865, 1e-4);
  // Continuous across 1000 light years to within the one-light-year step.
  EXPECT_NEAR(T().Modulus(999.9), T().Modulus(1000.1), 0.01);
  EXPECT_NEAR(T().Modulus(1000.0), 5.0 * Log10(1000.0 / 32.6), 1e-12);
}

TEST(MagnitudeTables, NotANumberStaysOutOfTheTables) {
  const double nan = std::nan("");
  EXPECT_TRUE(std::isnan(T().Distance(nan)));
  EXPECT_TRUE(std::isnan(T().Modulus(nan)));
}
