// The classes of the magnitude bound against the straightforward pass: every
// star's class is the class of its exact distance and magnitude, a group's
// faint bound holds for every star beyond it and is tight to a millionth,
// the table logarithm keeps within its stated error; and the catalogue's
// records get the straightforward values when they are asked for.
#include "catalog/MagnitudeBound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "MagnitudeEdgeStars.h"
#include "ReferencePasses.h"
#include "catalog/MagnitudeClass.h"
#include "catalog/Millionths.h"
#include "catalog/StarCatalog.h"

namespace {

const Vector3D kObserver(3.25, -1.5, 7.0);

TEST(FastModulus, KeepsWithinItsErrorFromJustBeyondTheTablesToTheLargestDistances) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> exponent(3.0, 154.0);
  std::vector<double> distances = {
      1000.0000000000001, 1024.0, 1025.0, 2047.9999999999998, 4096.0, 1e15, 1e150, 1.3e154};
  for (int i = 0; i < 200000; ++i) distances.push_back(std::pow(10.0, exponent(random)));
  double largest = 0.0;
  for (const double d : distances) {
    const double s = d * d;  // the squared distance the refresh has
    if (!(s <= std::numeric_limits<double>::max())) continue;
    largest = std::max(
        largest, std::fabs(magnitude_bound::FastModulus(s) - MagnitudeTables::ComputedModulus(std::sqrt(s))));
  }
  EXPECT_LT(largest, magnitude_bound::kFastModulusError / 10);
}

TEST(MagnitudeBound, ClassesAsTheStraightforwardPass) {
  const MagnitudeTables& tables = MagnitudeTables::Get();
  for (const Vector3D& observer : {kObserver, Vector3D(-40.0, 2.0, 900.0), Vector3D(4000.0, 0.0, 0.0)}) {
    SCOPED_TRACE(observer.z);
    std::vector<StarEntry> stars = MagnitudeEdgeStars(observer);
    std::vector<StarEntry> expected = stars;
    reference::UpdateMagnitudes(expected.data(), static_cast<int64_t>(expected.size()), observer);
    for (size_t i = 0; i < expected.size(); ++i)
      ASSERT_EQ(
          magnitude_bound::ClassOf(SquaredDistance(stars[i].vPos, observer), stars[i].dAbsMagnitude, tables),
          MagnitudeClassOf(expected[i].dDistance, expected[i].dAppMagnitude))
          << i;
  }
}

// At each squared distance (the tables' seams among them) and a little
// beyond, a star of the bound's absolute magnitude is faint; a millionth
// brighter at the distance itself, it is not.
TEST(MagnitudeBound, FaintFromHoldsBeyondItsDistanceAndIsTight) {
  const MagnitudeTables& tables = MagnitudeTables::Get();
  const double squared[] = {1.0011e-4, 0.5,      1009.999, 1010.0,     9999.99, 10000.0, 10000.01, 99999.9,
                            100000.0,  999999.0, 1e6,      1.000001e6, 4.4e6,   1e9,     1e12};
  for (const double s : squared) {
    SCOPED_TRACE(s);
    const int64_t faintFrom = magnitude_bound::FaintFromMillionths(s, tables);
    ASSERT_GT(faintFrom, std::numeric_limits<int32_t>::min());
    ASSERT_LT(faintFrom, std::numeric_limits<int32_t>::max());
    const auto absMagnitude = [](int64_t millionths) {
      return FromMillionths(static_cast<int32_t>(millionths));
    };
    for (const double beyond : {s, std::nextafter(s, 1e300), s * 1.000001, s * 1.1, s * 100.0})
      EXPECT_EQ(magnitude_bound::ClassOf(beyond, absMagnitude(faintFrom), tables), kClassFaint) << beyond;
    EXPECT_NE(magnitude_bound::ClassOf(s, absMagnitude(faintFrom - 1), tables), kClassFaint);
  }
  // Near enough to be too near, or no distance: no bound, not even for the
  // faintest magnitude a map holds.
  for (const double s : {0.0, 0.9e-4, std::numeric_limits<double>::quiet_NaN()})
    EXPECT_EQ(magnitude_bound::FaintFromMillionths(s, tables), std::numeric_limits<int64_t>::max()) << s;
  // An infinite distance: every star.
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(magnitude_bound::FaintFromMillionths(infinity, tables), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(magnitude_bound::ClassOf(infinity, -2147.483647, tables), kClassFaint);
}

TEST(StarCatalogMagnitudes, RecordsWrittenWhenAskedForAsTheStraightforwardPass) {
  const std::vector<StarEntry> stars = MagnitudeEdgeStars(kObserver);
  StarCatalog catalog;
  ASSERT_EQ(catalog.Allocate(static_cast<int32_t>(stars.size())), 1);
  std::copy(stars.begin(), stars.end(), catalog.m_pStars);
  for (const Vector3D& observer : {kObserver, Vector3D(-40.0, 2.0, 900.0)}) {
    std::vector<StarEntry> expected = stars;
    reference::UpdateMagnitudes(expected.data(), static_cast<int64_t>(expected.size()), observer);
    catalog.UpdateMagnitudes(observer);
    ASSERT_NE(catalog.DeferredMagnitudes(), nullptr);
    EXPECT_EQ(std::memcmp(catalog.DeferredMagnitudes(), &observer, sizeof observer), 0);
    catalog.WriteMagnitudesOf(5);
    EXPECT_EQ(std::memcmp(&catalog.m_pStars[5], &expected[5], sizeof(StarEntry)), 0);
  }
  catalog.WriteAllMagnitudes();
  std::vector<StarEntry> expected = stars;
  reference::UpdateMagnitudes(expected.data(), static_cast<int64_t>(expected.size()),
                              Vector3D(-40.0, 2.0, 900.0));
  EXPECT_EQ(std::memcmp(catalog.m_pStars, expected.data(), expected.size() * sizeof(StarEntry)), 0);
}

// Records written by other means than UpdateMagnitudes hold the truth.
TEST(StarCatalogMagnitudes, NoneDeferredBeforeTheFirstRefreshOrAfterALoad) {
  StarCatalog catalog;
  ASSERT_EQ(catalog.Allocate(3), 1);
  EXPECT_EQ(catalog.DeferredMagnitudes(), nullptr);
  catalog.UpdateMagnitudes(kObserver);
  EXPECT_NE(catalog.DeferredMagnitudes(), nullptr);
  catalog.MagnitudesChanged();
  EXPECT_EQ(catalog.DeferredMagnitudes(), nullptr);
  catalog.UpdateMagnitudes(kObserver);
  ASSERT_EQ(catalog.Allocate(3), 1);
  EXPECT_EQ(catalog.DeferredMagnitudes(), nullptr);
}

}  // namespace
