// The two sky frames: where known directions land, that the sky is not
// mirrored, and Sirius's galactic coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "WorldFrame.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Unit vector in equatorial J2000 coordinates for RA (hours) and Dec (degrees).
Vector3D Equatorial(double raHours, double decDegrees) {
  const double ra = raHours * 15.0 * kDegree, dec = decDegrees * kDegree;
  return Vector3D(std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec));
}

struct SkyPoint {
  const char* name;
  Vector3D equatorial;
  Vector3D expectedWorld;  // unit direction
};

void ExpectDirection(WorldFrame frame, const SkyPoint& point) {
  const Vector3D world = ToWorldFrame(frame, point.equatorial) / kLightYearsPerParsec;
  EXPECT_NEAR(world.x, point.expectedWorld.x, 1e-6) << point.name;
  EXPECT_NEAR(world.y, point.expectedWorld.y, 1e-6) << point.name;
  EXPECT_NEAR(world.z, point.expectedWorld.z, 1e-6) << point.name;
}

TEST(WorldFrame, GalacticAxesPointAtTheCentreAndThePole) {
  const SkyPoint points[] = {
      // J2000 directions of the galactic system (Hipparcos definition): centre at
      // RA 266.404995, Dec -28.936174; north pole at RA 192.85948, Dec +27.12825.
      {"galactic centre", Equatorial(266.404995 / 15, -28.936174), Vector3D(0, 0, 1)},
      {"north galactic pole", Equatorial(192.85948 / 15, 27.12825), Vector3D(0, 1, 0)},
  };
  for (const SkyPoint& point : points) ExpectDirection(WorldFrame::Galactic, point);
}

TEST(WorldFrame, EquatorialAxesPointAtRa0AndTheCelestialPole) {
  const SkyPoint points[] = {
      {"RA 0h Dec 0", Equatorial(0, 0), Vector3D(0, 0, 1)},
      {"RA 18h Dec 0 on the right", Equatorial(18, 0), Vector3D(1, 0, 0)},
      {"RA 6h Dec 0 on the left", Equatorial(6, 0), Vector3D(-1, 0, 0)},
      {"north celestial pole", Equatorial(0, 90), Vector3D(0, 1, 0)},
  };
  for (const SkyPoint& point : points) ExpectDirection(WorldFrame::Equatorial, point);
}

// Galactic longitude and latitude of a world-frame position in the galactic frame.
void GalacticAngles(const Vector3D& world, double* l, double* b) {
  const double r = std::sqrt(world.x * world.x + (world.y * world.y + world.z * world.z));
  *l = std::atan2(-world.x, world.z) / kDegree;  // l grows from +z towards -x (l = 90)
  if (*l < 0) *l += 360.0;
  *b = std::asin(world.y / r) / kDegree;
}

TEST(WorldFrame, SiriusHasTheCataloguesGalacticCoordinates) {
  // The catalogue row of Sirius: x, y, z in parsecs, equatorial J2000.
  const Vector3D world = ToWorldFrame(WorldFrame::Galactic, Vector3D(-0.494331, 2.476774, -0.758498));
  double l = 0, b = 0;
  GalacticAngles(world, &l, &b);
  EXPECT_NEAR(l, 227.23, 0.01);
  EXPECT_NEAR(b, -8.89, 0.01);
  // 2.637061 pc from the Sun, in light years.
  EXPECT_NEAR(std::sqrt(world.x * world.x + (world.y * world.y + world.z * world.z)), 2.637061 * 3.26156,
              1e-5);
}

// At start the viewer looks along +z with +y up and +x on the right. Looking at
// the sky from inside, east (growing l or RA) is to the left of north-up.
TEST(WorldFrame, TheSkyIsNotMirrored) {
  // Equatorial directions of galactic (l, b), built from the galactic axes in
  // equatorial coordinates.
  const Vector3D galacticX(-0.0548755604, -0.8734370902, -0.4838350155);
  const Vector3D galacticY(0.4941094279, -0.4448296300, 0.7469822445);
  const Vector3D galacticZ(-0.8676661490, -0.1980763734, 0.4559837762);
  const auto fromGalactic = [&](double lDegrees, double bDegrees) {
    const double l = lDegrees * kDegree, b = bDegrees * kDegree;
    return galacticX * (std::cos(b) * std::cos(l)) + galacticY * (std::cos(b) * std::sin(l)) +
           galacticZ * std::sin(b);
  };
  const struct {
    const char* name;
    WorldFrame frame;
    Vector3D equatorial;
    bool left;  // projects to negative x
    bool up;    // projects to positive y
  } rows[] = {
      {"l = 10, b = 0 is left of the centre", WorldFrame::Galactic, fromGalactic(10, 0), true, false},
      {"l = 350, b = 0 is right of it", WorldFrame::Galactic, fromGalactic(350, 0), false, false},
      {"l = 10, b = 5 is left and up", WorldFrame::Galactic, fromGalactic(10, 5), true, true},
      {"l = 350, b = 5 is right and up", WorldFrame::Galactic, fromGalactic(350, 5), false, true},
      {"RA 1h, Dec 0 is left of RA 0h", WorldFrame::Equatorial, Equatorial(1, 0), true, false},
      {"RA 23h, Dec 0 is right of it", WorldFrame::Equatorial, Equatorial(23, 0), false, false},
      {"RA 1h, Dec 10 is left and up", WorldFrame::Equatorial, Equatorial(1, 10), true, true},
  };
  for (const auto& row : rows) {
    const Vector3D world = ToWorldFrame(row.frame, row.equatorial);
    EXPECT_GT(world.z, 0.0) << row.name;  // in front of the viewer
    EXPECT_EQ(world.x < 0.0, row.left) << row.name;
    if (row.up) {
      EXPECT_GT(world.y, 0.01) << row.name;
    } else {
      EXPECT_NEAR(world.y, 0.0, 1e-9) << row.name;
    }
  }
  double l = 0, b = 0;
  GalacticAngles(ToWorldFrame(WorldFrame::Galactic, fromGalactic(10, 5)), &l, &b);
  EXPECT_NEAR(l, 10.0, 1e-6);
  EXPECT_NEAR(b, 5.0, 1e-6);
}

TEST(WorldFrame, MapFrameOnlyConvertsParsecsToLightYears) {
  const Vector3D world = ToWorldFrame(WorldFrame::Map, Vector3D(1.0, -2.0, 0.5));
  EXPECT_EQ(world.x, 3.26156);
  EXPECT_EQ(world.y, -2.0 * 3.26156);
  EXPECT_EQ(world.z, 0.5 * 3.26156);
}

}  // namespace
