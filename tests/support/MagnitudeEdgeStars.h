// Stars that try a magnitude refresh: around an observer up to 5000 light
// years, in whole millionths (as a map holds them) or not, a class edge 7, 6,
// 5, 3 or a disc size's edge within a millionth of many stars' magnitudes,
// some named, some nearer than drawn, and fields that are not finite.
#pragma once

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "catalog/StarEntry.h"
#include "geometry/MagnitudeTables.h"
#include "geometry/Projection.h"

inline double Millionths(double v) { return std::nearbyint(v * 1e6) * 1e-6; }

inline std::vector<StarEntry> MagnitudeEdgeStars(const Vector3D& observer) {
  std::mt19937 random(9);
  std::uniform_real_distribution<double> coordinate(-5000.0, 5000.0);
  std::uniform_real_distribution<double> absMagnitude(-10.0, 8.0);
  const double edges[] = {7.0, 6.0, 5.0, 3.0, 2.0, 1.0, -40.0, -122.0, -123.0, -1e7};
  const MagnitudeTables& tables = MagnitudeTables::Get();
  std::vector<StarEntry> stars(20000, StarEntry{});
  for (size_t i = 0; i < stars.size(); ++i) {
    StarEntry& star = stars[i];
    star.vPos = Vector3D(coordinate(random), coordinate(random), coordinate(random));
    if (i % 5 == 0) star.vPos = star.vPos * 0.01;  // near the observer, where the tables are
    star.dAbsMagnitude = absMagnitude(random);
    if (i % 3 == 0) {
      // On an edge, as exactly as the absolute magnitude allows.
      const double distance = tables.Distance(SquaredDistance(star.vPos, observer));
      star.dAbsMagnitude = edges[i / 3 % std::size(edges)] - tables.Modulus(distance);
    }
    if (i % 7 != 0) {
      star.vPos = {Millionths(star.vPos.x), Millionths(star.vPos.y), Millionths(star.vPos.z)};
      star.dAbsMagnitude = Millionths(star.dAbsMagnitude);
    }
    if (i % 11 == 0) std::strcpy(star.szName, "Named");
  }
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double odd[] = {kNaN, kInfinity, -kInfinity, 1e300, 0.0};
  for (size_t k = 0; k < std::size(odd); ++k) {
    stars[100 + k].vPos.x = odd[k];
    stars[200 + k].dAbsMagnitude = odd[k];
  }
  stars[300].vPos = observer;                                              // distance 0
  stars[301].vPos = Vector3D(observer.x + 0.005, observer.y, observer.z);  // nearer than drawn
  stars[302].vPos = Vector3D(observer.x, observer.y + 0.01, observer.z);   // just not
  stars[303].vPos = Vector3D(observer.x, observer.y, observer.z + 0.004);  // too near, and the faintest
  stars[303].dAbsMagnitude = 2147.483647;                                  // a map can hold
  return stars;
}
