// The status bar's read-outs: the star under the pointer and the observer.
#include <gtest/gtest.h>

#include <cstring>

#include "catalog/StarEntry.h"
#include "geometry/Vector3D.h"
#include "interaction/ObserverReadout.h"
#include "interaction/StarReadout.h"

TEST(StarReadout, Texts) {
  StarEntry sirius{};
  sirius.nCatalogNumber = 32349;
  sirius.dAbsMagnitude = 1.42;
  std::strcpy(sirius.szTag, "A0mA1Va");
  std::strcpy(sirius.szName, "Sirius");
  sirius.dDistance = 8.6;
  sirius.dAppMagnitude = -1.46;
  StarEntry unnamed = sirius;
  unnamed.szName[0] = unnamed.szTag[0] = 0;
  const struct {
    const StarEntry& star;
    MagnitudeState state;
    const char* expected;
  } rows[] = {
      {sirius, MagnitudeState::Current, "Sirius   A0mA1Va   8.60 ly   m -1.46   M 1.42"},
      {unnamed, MagnitudeState::Current, "No. 32349   8.60 ly   m -1.46   M 1.42"},
      {sirius, MagnitudeState::BeingRecomputed,
       "Sirius   A0mA1Va   distance and magnitude being recomputed   M 1.42"},
      {sirius, MagnitudeState::NotDrawn,
       "Sirius   A0mA1Va   distance and magnitude shown with magnitude drawing on   M 1.42"},
  };
  for (const auto& row : rows) EXPECT_EQ(FormatStarReadout(row.star, row.state), row.expected);
}

TEST(ObserverReadout, OneDecimalAndTheYawWrappedIntoAFullTurn) {
  EXPECT_EQ(FormatObserverReadout(Vector3D(12.34, -4.0, 88.06), 2.7035, -0.2478),
            "x 12.3 y -4.0 z 88.1 ly   U 154.9 V -14.2");
  EXPECT_EQ(FormatObserverReadout(Vector3D(0, 0, 0), -0.5, 0.0), "x 0.0 y 0.0 z 0.0 ly   U 331.4 V 0.0");
}
