// Vector3D: the arithmetic is exact to the formulas, and operands stay unchanged.
#include <gtest/gtest.h>

#include "geometry/Vector3D.h"

TEST(Vector3D, DefaultIsZeroAndSetOverwrites) {
  Vector3D v;
  EXPECT_EQ(v.x, 0.0);
  EXPECT_EQ(v.y, 0.0);
  EXPECT_EQ(v.z, 0.0);
  v.Set(1.5, -2.0, 3.25);
  EXPECT_EQ(v.x, 1.5);
  EXPECT_EQ(v.y, -2.0);
  EXPECT_EQ(v.z, 3.25);
}

TEST(Vector3D, OperatorsLeaveOperandsUnchanged) {
  const Vector3D a(1.0, 2.0, 3.0);
  const Vector3D b(0.5, -1.0, 4.0);
  const Vector3D sum = a + b;
  const Vector3D diff = a - b;
  const Vector3D scaled = a * 2.0;
  const Vector3D quotient = a / 4.0;
  EXPECT_EQ(sum.x, 1.5);
  EXPECT_EQ(sum.y, 1.0);
  EXPECT_EQ(sum.z, 7.0);
  EXPECT_EQ(diff.x, 0.5);
  EXPECT_EQ(diff.y, 3.0);
  EXPECT_EQ(diff.z, -1.0);
  EXPECT_EQ(scaled.z, 6.0);
  EXPECT_EQ(quotient.x, 0.25);
  EXPECT_EQ(a.x, 1.0);
  EXPECT_EQ(b.z, 4.0);
}

// 5 / 3 and 5 * (1 / 3) differ in the last bit: the quotient must divide.
TEST(Vector3D, QuotientDividesEachComponent) {
  const Vector3D v = Vector3D(5.0, 5.0, 5.0) / 3.0;
  const volatile double divisor = 3.0;
  const double reciprocal = 1.0 / divisor;
  EXPECT_NE(5.0 / divisor, 5.0 * reciprocal);
  EXPECT_EQ(v.x, 5.0 / divisor);
  EXPECT_EQ(v.y, 5.0 / divisor);
  EXPECT_EQ(v.z, 5.0 / divisor);
}

TEST(Vector3D, NormalizeDividesByLength) {
  Vector3D v(3.0, 0.0, 4.0);
  v.Normalize();
  EXPECT_EQ(v.x, 0.6);
  EXPECT_EQ(v.y, 0.0);
  EXPECT_EQ(v.z, 0.8);
}

TEST(Vector3D, DotSumsInTheFixedOrder) {
  // With a.x*b.x summed last, 1e16 + (1 - 1e16) gives 0 instead of 1.
  const Vector3D a(1e16, 1.0, -1e16);
  const Vector3D b(1.0, 1.0, 1.0);
  EXPECT_EQ(Dot(a, b), 1e16 + (1.0 + -1e16));
}
