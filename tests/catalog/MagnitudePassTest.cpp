// The magnitude refresh from the compact copy against the straightforward
// pass: every star's class is the class of its exact distance and magnitude,
// every record that is read holds them to the bit, and WriteAllMagnitudes
// and WriteMagnitudesOf give every other record the same; the table
// logarithm keeps within its stated error.
#include "catalog/MagnitudePass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "ReferencePasses.h"
#include "catalog/MagnitudeClass.h"
#include "catalog/StarCatalog.h"
#include "geometry/MagnitudeTables.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
const Vector3D kObserver(3.25, -1.5, 7.0);

double Millionths(double v) { return std::nearbyint(v * 1e6) * 1e-6; }

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
        largest, std::fabs(MagnitudePass::FastModulus(s) - MagnitudeTables::ComputedModulus(std::sqrt(s))));
  }
  EXPECT_LT(largest, MagnitudePass::kFastModulusError / 10);
}

// Stars around the observer up to 5000 light years, in whole millionths
// (as a map holds them) or not, with a class edge 7, 6, 5, 3 or a disc size's
// edge within a millionth of many far stars' magnitudes, and fields that are
// not finite.
std::vector<StarEntry> EdgeStars() {
  std::mt19937 random(9);
  std::uniform_real_distribution<double> coordinate(-5000.0, 5000.0);
  std::uniform_real_distribution<double> absMagnitude(-10.0, 8.0);
  const double edges[] = {7.0, 6.0, 5.0, 3.0, 2.0, 1.0, -40.0, -122.0, -123.0, -1e7};
  const MagnitudeTables& tables = MagnitudeTables::Get();
  std::vector<StarEntry> stars(20000, StarEntry{});
  for (size_t i = 0; i < stars.size(); ++i) {
    StarEntry& star = stars[i];
    star.vPos = Vector3D(coordinate(random), coordinate(random), coordinate(random));
    star.dAbsMagnitude = absMagnitude(random);
    if (i % 3 == 0) {
      // On an edge, as exactly as the absolute magnitude allows.
      const double distance = tables.Distance(SquaredDistance(star.vPos, kObserver));
      star.dAbsMagnitude = edges[i / 3 % std::size(edges)] - tables.Modulus(distance);
    }
    if (i % 7 != 0) {
      star.vPos = {Millionths(star.vPos.x), Millionths(star.vPos.y), Millionths(star.vPos.z)};
      star.dAbsMagnitude = Millionths(star.dAbsMagnitude);
    }
  }
  const double odd[] = {kNaN, kInfinity, -kInfinity, 1e300, 0.0};
  for (size_t k = 0; k < std::size(odd); ++k) {
    stars[100 + k].vPos.x = odd[k];
    stars[200 + k].dAbsMagnitude = odd[k];
  }
  stars[300].vPos = kObserver;                                                // distance 0
  stars[301].vPos = Vector3D(kObserver.x + 0.005, kObserver.y, kObserver.z);  // nearer than drawn
  return stars;
}

TEST(MagnitudePass, ClassesAndReadRecordsAsTheStraightforwardPass) {
  const std::vector<StarEntry> stars = EdgeStars();
  StarCatalog catalog;
  ASSERT_EQ(catalog.Allocate(static_cast<int32_t>(stars.size())), 1);
  std::copy(stars.begin(), stars.end(), catalog.m_pStars);
  for (const Vector3D& observer : {kObserver, Vector3D(-40.0, 2.0, 900.0), kObserver}) {
    SCOPED_TRACE(observer.z);
    std::vector<StarEntry> expected = stars;
    reference::UpdateMagnitudes(expected.data(), static_cast<int64_t>(expected.size()), observer);
    catalog.UpdateMagnitudes(observer);
    const uint8_t* classes = catalog.MagnitudeClasses();
    ASSERT_NE(classes, nullptr);
    int faint = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
      const uint8_t exact = MagnitudeClassOf(expected[i].dDistance, expected[i].dAppMagnitude);
      ASSERT_EQ(classes[i], exact) << i;
      if (exact == kClassFaint || exact == kClassDarkGrey || exact == kClassGrey) {
        ++faint;
        continue;  // not read without WriteMagnitudesOf
      }
      ASSERT_EQ(std::memcmp(&catalog.m_pStars[i], &expected[i], sizeof(StarEntry)), 0) << i;
    }
    EXPECT_GT(faint, 1000);
    catalog.WriteMagnitudesOf(5);
    EXPECT_EQ(std::memcmp(&catalog.m_pStars[5], &expected[5], sizeof(StarEntry)), 0);
  }
  catalog.WriteAllMagnitudes();
  std::vector<StarEntry> expected = stars;
  reference::UpdateMagnitudes(expected.data(), static_cast<int64_t>(expected.size()), kObserver);
  EXPECT_EQ(std::memcmp(catalog.m_pStars, expected.data(), expected.size() * sizeof(StarEntry)), 0);
}

// Records written by other means than UpdateMagnitudes have no classes.
TEST(MagnitudePass, NoClassesBeforeTheFirstRefreshOrAfterALoad) {
  StarCatalog catalog;
  ASSERT_EQ(catalog.Allocate(3), 1);
  EXPECT_EQ(catalog.MagnitudeClasses(), nullptr);
  catalog.UpdateMagnitudes(kObserver);
  EXPECT_NE(catalog.MagnitudeClasses(), nullptr);
  ASSERT_EQ(catalog.Allocate(3), 1);
  EXPECT_EQ(catalog.MagnitudeClasses(), nullptr);
}

}  // namespace
