// ComputeBasis: worked values, the offset constant, and the basis's shape.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/ViewBasis.h"

namespace {

double Length(const Vector3D& v) { return std::sqrt(Dot(v, v)); }

// cos through the C library at run time, as ComputeBasis evaluates it (a
// constant argument would be folded by the compiler, possibly differently).
double RuntimeCos(double v) {
  volatile double x = v;
  return std::cos(x);
}

void ExpectNear(const Vector3D& v, double x, double y, double z, double tolerance) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

}  // namespace

TEST(ViewBasis, OffsetIsTheFourteenDigitDecimalNotHalfPi) {
  EXPECT_EQ(BasisYawOffset, 1.5707963267949);
  EXPECT_NE(BasisYawOffset, M_PI / 2);
  const double ulp = std::nextafter(M_PI / 2, 2.0) - M_PI / 2;
  EXPECT_EQ(BasisYawOffset - M_PI / 2, 16 * ulp);
  EXPECT_NEAR(RuntimeCos(BasisYawOffset), -3.49e-15, 0.01e-15);
}

TEST(ViewBasis, StartOrientationIsExact) {
  const ViewBasis b = ComputeBasis(0.0, 0.0);
  EXPECT_EQ(b.forward.x, 0.0);
  EXPECT_EQ(b.forward.y, 0.0);
  EXPECT_EQ(b.forward.z, 1.0);
  EXPECT_EQ(b.right.x, 1.0);
  EXPECT_EQ(b.right.y, 0.0);
  EXPECT_EQ(b.right.z, RuntimeCos(1.5707963267949));
  EXPECT_EQ(b.down.x, 0.0);
  EXPECT_EQ(b.down.y, -1.0);
  EXPECT_EQ(b.down.z, 0.0);
}

TEST(ViewBasis, WorkedOrientations) {
  struct Row {
    const char* name;
    double yaw, pitch;
    double f[3], r[3], d[3];
  };
  const Row rows[] = {
      {"quarter turn right", M_PI / 2, 0.0, {1, 0, 0}, {0, 0, -1}, {0, -1, 0}},
      {"straight up", 0.0, 1.5707963267949, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}},
      {"yaw 1 pitch 0.5",
       1.0,
       0.5,
       {0.738460, 0.479426, 0.474160},
       {0.540302, 0, -0.841471},
       {0.403423, -0.877583, 0.259035}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ViewBasis b = ComputeBasis(row.yaw, row.pitch);
    ExpectNear(b.forward, row.f[0], row.f[1], row.f[2], 1e-6);
    ExpectNear(b.right, row.r[0], row.r[1], row.r[2], 1e-6);
    ExpectNear(b.down, row.d[0], row.d[1], row.d[2], 1e-6);
  }
}

TEST(ViewBasis, DownIsRightCrossForwardAsWritten) {
  const ViewBasis b = ComputeBasis(1.0, 0.5);
  EXPECT_EQ(b.down.x, -(b.right.z * b.forward.y));
  EXPECT_EQ(b.down.y, b.right.z * b.forward.x - b.forward.z * b.right.x);
  EXPECT_EQ(b.down.z, b.forward.y * b.right.x - b.right.y * b.forward.x);
}

TEST(ViewBasis, UnitPerpendicularAndLevelForManyAngles) {
  for (double yaw = -7.0; yaw <= 7.0; yaw += 0.37) {
    for (double pitch = -1.5707963267949; pitch <= 1.5707963267949; pitch += 0.23) {
      const ViewBasis b = ComputeBasis(yaw, pitch);
      ASSERT_EQ(b.right.y, 0.0);
      EXPECT_NEAR(Length(b.forward), 1.0, 1e-15);
      EXPECT_NEAR(Length(b.right), 1.0, 1e-15);
      EXPECT_NEAR(Length(b.down), 1.0, 1e-15);
      EXPECT_NEAR(Dot(b.forward, b.right), 0.0, 1e-14);
      EXPECT_NEAR(Dot(b.down, b.right), 0.0, 1e-14);
      EXPECT_NEAR(Dot(b.down, b.forward), 0.0, 1e-14);
    }
  }
}
