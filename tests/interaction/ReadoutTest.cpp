// The status bar's read-outs: the star under the pointer and the observer.
#include <gtest/gtest.h>

#include <cstring>

#include "catalog/StarEntry.h"
#include "geometry/Vector3D.h"
#include "interaction/ObserverReadout.h"
#include "interaction/StarReadout.h"

namespace {

StarEntry Star(const char* name, const char* tag, int32_t number) {
  StarEntry star{};
  std::strcpy(star.szName, name);
  std::strcpy(star.szTag, tag);
  star.nCatalogNumber = number;
  star.dDistance = 8.6;
  star.dAppMagnitude = -1.46;
  star.dAbsMagnitude = 1.42;
  return star;
}

TEST(StarReadout, Texts) {
  struct Row {
    const char* name;
    StarEntry star;
    MagnitudeState state;
    const char* expected;
  };
  const Row rows[] = {
      {"named", Star("Sirius", "A0mA1Va", 32349), MagnitudeState::Current,
       "Sirius   A0mA1Va   8.60 ly   m -1.46   M 1.42"},
      {"designation bytes kept",
       Star("B+16\xB0"
            "2564",
            "K0", 7),
       MagnitudeState::Current,
       "B+16\xB0"
       "2564   K0   8.60 ly   m -1.46   M 1.42"},
      {"unnamed, no tag", Star("", "", 4711), MagnitudeState::Current,
       "No. 4711   8.60 ly   m -1.46   M 1.42"},
      {"stale while flying", Star("Sirius", "A0mA1Va", 1), MagnitudeState::BeingRecomputed,
       "Sirius   A0mA1Va   distance and magnitude being recomputed   M 1.42"},
      {"magnitude drawing off", Star("Sirius", "A0mA1Va", 1), MagnitudeState::NotDrawn,
       "Sirius   A0mA1Va   distance and magnitude shown with magnitude drawing on   M 1.42"},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatStarReadout(row.star, row.state), row.expected) << row.name;
}

TEST(ObserverReadout, Texts) {
  struct Row {
    const char* name;
    Vector3D position;
    double yaw;
    double pitch;
    const char* expected;
  };
  const Row rows[] = {
      {"start", Vector3D(0.0, 0.0, 0.0), 0.0, 0.0, "x 0.0 y 0.0 z 0.0 ly   U 0.0 V 0.0"},
      {"rounded to one decimal", Vector3D(12.34, -4.0, 88.06), 2.7035, -0.2478,
       "x 12.3 y -4.0 z 88.1 ly   U 154.9 V -14.2"},
      {"negative yaw wraps", Vector3D(0.0, 0.0, 0.0), -0.5, 0.0, "x 0.0 y 0.0 z 0.0 ly   U 331.4 V 0.0"},
      {"beyond a full turn wraps", Vector3D(0.0, 0.0, 0.0), 6.2831853071796 + 0.5, 0.0,
       "x 0.0 y 0.0 z 0.0 ly   U 28.6 V 0.0"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FormatObserverReadout(row.position, row.yaw, row.pitch), row.expected) << row.name;
}

}  // namespace
