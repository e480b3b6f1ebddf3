// The two per-observer passes over the catalogue: projection with its
// visibility rule, and distance and apparent magnitude through the lookup ranges.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "catalog/StarCatalog.h"

namespace {

// Gives the catalogue one zeroed record per position.
void FillCatalogue(StarCatalog& catalog, const std::vector<Vector3D>& positions) {
  catalog.Allocate(static_cast<int32_t>(positions.size()));
  for (size_t i = 0; i < positions.size(); ++i) catalog.m_pStars[i].vPos = positions[i];
}

const Vector3D kOrigin(0, 0, 0);
const Vector3D kForward(0, 0, 1);
const Vector3D kRight(1, 0, 0);
const Vector3D kDown(0, -1, 0);

TEST(ProjectStars, ProjectsStarsInFrontAndMarksTheRestInvisible) {
  struct Row {
    const char* name;
    Vector3D star;
    double zoom;
    int visible;
    double projX;  // for invisible rows, the value left over from before
    double projY;
  };
  const Row rows[] = {
      {"(1,-1,4) at zoom 1", {1, -1, 4}, 1.0, 1, 0.25, 0.25},
      {"(1,-1,4) at zoom 2", {1, -1, 4}, 2.0, 1, 0.5, 0.5},
      {"(1,2,4) above the centre", {1, 2, 4}, 1.0, 1, 0.25, -0.5},
      {"straight ahead", {0, 0, 9}, 1.0, 1, 0.0, 0.0},
      {"far off to the side, still in front", {1000, 0, 0.001}, 1.0, 1, 1000 / 0.001, 0.0},
      {"on the observer's plane (depth 0)", {5, 5, 0}, 1.0, 0, 7.0, -7.0},
      {"at the observer", {0, 0, 0}, 1.0, 0, 7.0, -7.0},
      {"behind the observer", {1, -1, -4}, 1.0, 0, 7.0, -7.0},
  };
  for (const Row& row : rows) {
    StarCatalog catalog;
    FillCatalogue(catalog, {row.star});
    StarEntry& star = catalog.m_pStars[0];
    star.dProjX = 7.0;
    star.dProjY = -7.0;
    star.bVisible = 1 - row.visible;
    EXPECT_EQ(catalog.ProjectStars(kOrigin, kForward, kRight * row.zoom, kDown * row.zoom), 1);
    EXPECT_EQ(star.bVisible, row.visible) << row.name;
    EXPECT_EQ(star.dProjX, row.projX) << row.name;
    EXPECT_EQ(star.dProjY, row.projY) << row.name;
  }
}

TEST(ProjectStars, MeasuresFromTheObserverInFormulaOrder) {
  // A general basis and position, against the formula written out.
  const Vector3D position(3.5, -1.25, 10.0);
  const Vector3D forward(0.738460, 0.479426, 0.474160);
  const Vector3D right(0.540302, 0.0, -0.841471);
  const Vector3D down(0.403423, -0.877583, 0.259035);
  const Vector3D star(17.3, 4.1, 22.9);
  StarCatalog catalog;
  FillCatalogue(catalog, {star, star});
  catalog.ProjectStars(position, forward, right * 1.5, down * 1.5);

  const double dx = star.x - position.x, dy = star.y - position.y, dz = star.z - position.z;
  const double depth = dx * forward.x + (dy * forward.y + dz * forward.z);
  const Vector3D r = right * 1.5, d = down * 1.5;
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(catalog.m_pStars[i].dProjX, (dx * r.x + (dy * r.y + dz * r.z)) / depth);
    EXPECT_EQ(catalog.m_pStars[i].dProjY, (dx * d.x + (dy * d.y + dz * d.z)) / depth);
  }
}

TEST(ProjectStars, EmptyCatalogueReturnsOne) {
  StarCatalog catalog;
  EXPECT_EQ(catalog.ProjectStars(kOrigin, kForward, kRight, kDown), 1);
}

double Modulus(double ratio) { return 5.0 * std::log10(ratio); }

TEST(UpdateMagnitudes, DistancesAndModuliThroughEveryRange) {
  struct Row {
    const char* name;
    Vector3D star;  // observer at the origin unless the row says otherwise
    double distance;
    double modulus;
    double approximateModulus;  // a rounded figure, as a check on the formula itself
  };
  const double inf = HUGE_VAL;  // no rounded figure for the row
  const Row rows[] = {
      {"on the observer (s = 0)", {0, 0, 0}, 0.0, -19.0, -19.0},
      {"just under 0.01 ly", {0, 0.00999, 0}, 0.00999, -19.0, -19.0},
      {"5 ly (s = 25)", {3, 4, 0}, 5.0, Modulus(500 / 3260.0), -4.0712},
      {"D = 10 exactly", {10, 0, 0}, 10.0, Modulus(1000 / 3260.0), inf},
      {"s just under 1010", {31, 6.9375, 0}, std::sqrt(1009.12890625), Modulus(317 / 326.0), inf},
      {"s = 1010", {31, 7, 0}, std::sqrt(1010.0), Modulus(317 / 326.0), inf},
      {"(0, 0, 50.37)", {0, 0, 50.37}, std::sqrt(2530.0), Modulus(502 / 326.0), 0.9374},
      {"s = 10000 exactly (D = 100)", {100, 0, 0}, 100.0, Modulus(1000 / 326.0), inf},
      {"s = 20000", {100, 100, 0}, std::sqrt(20000.0), Modulus(141 / 32.6), 3.1800},
      {"s = 100000 exactly", {300, 100, 0}, std::sqrt(100000.0), Modulus(316 / 32.6), inf},
      {"s = 300000", {500, 200, 100}, std::sqrt(300000.0), Modulus(547 / 32.6), 6.1238},
      {"s = 1000000 exactly (D = 1000)", {1000, 0, 0}, 1000.0, Modulus(1000 / 32.6), inf},
      {"s = 2000000", {1000, 1000, 0}, std::sqrt(2000000.0), Modulus(std::sqrt(2000000.0) / 32.6), 8.1865},
  };
  for (const Row& row : rows) {
    StarCatalog catalog;
    FillCatalogue(catalog, {row.star});
    StarEntry& star = catalog.m_pStars[0];
    star.dAbsMagnitude = 1.42;
    catalog.UpdateMagnitudes(kOrigin);
    catalog.WriteAllMagnitudes();  // a faint star's record is written only on demand
    EXPECT_EQ(star.dDistance, row.distance) << row.name;
    EXPECT_EQ(star.dAppMagnitude, 1.42 + row.modulus) << row.name;
    if (row.approximateModulus != inf) {
      EXPECT_NEAR(row.modulus, row.approximateModulus, 1e-4) << row.name;
    }
  }
}

TEST(UpdateMagnitudes, MeasuresFromTheObserverAndKeepsEveryStarsOwnMagnitude) {
  StarCatalog catalog;
  FillCatalogue(catalog, {{4, 6, 3}, {1, 2, 3}, {1, 2, 3 + 50.37}});
  catalog.m_pStars[0].dAbsMagnitude = -2.5;
  catalog.m_pStars[1].dAbsMagnitude = 4.0;
  catalog.m_pStars[2].dAbsMagnitude = 0.0;
  catalog.UpdateMagnitudes({1, 2, 3});
  catalog.WriteAllMagnitudes();
  EXPECT_EQ(catalog.m_pStars[0].dDistance, 5.0);
  EXPECT_EQ(catalog.m_pStars[0].dAppMagnitude, -2.5 + Modulus(500 / 3260.0));
  EXPECT_EQ(catalog.m_pStars[1].dAppMagnitude, 4.0 - 19.0);
  const double s = 50.37 * 50.37;  // within rounding of 2537.1369: index 253 either way
  ASSERT_EQ(static_cast<int>(s) / 10, 253);
  EXPECT_EQ(catalog.m_pStars[2].dDistance, std::sqrt(2530.0));
}

TEST(UpdateMagnitudes, ModulusIsContinuousAcross1000LightYears) {
  StarCatalog catalog;
  FillCatalogue(catalog, {{999.9, 0, 0}, {1000.1, 0, 0}});
  catalog.UpdateMagnitudes(kOrigin);
  catalog.WriteAllMagnitudes();
  EXPECT_NEAR(catalog.m_pStars[0].dAppMagnitude, 7.43, 0.01);
  EXPECT_NEAR(catalog.m_pStars[1].dAppMagnitude, 7.43, 0.01);
}

}  // namespace
