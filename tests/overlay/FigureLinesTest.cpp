// The figure layer's lines: between the stars' positions in space as the
// star pass maps them, from the Sun and from far away; cut at the near
// plane; and only between the stars a map has.
#include <gtest/gtest.h>

#include "OverlayTestSupport.h"
#include "overlay/FigureLayer.h"
#include "overlay/FigureStarMatch.h"
#include "overlay/SpaceLine.h"

namespace {

struct CatalogStar {
  int32_t number;
  Vector3D position;
};

void Fill(StarCatalog& catalog, const std::vector<CatalogStar>& stars) {
  catalog.Allocate(static_cast<int32_t>(stars.size()));
  for (size_t i = 0; i < stars.size(); ++i) {
    catalog.m_pStars[i].nCatalogNumber = stars[i].number;
    catalog.m_pStars[i].vPos = stars[i].position;
  }
}

// Orion's belt and Betelgeuse, roughly: three stars hundreds of light years away at different depths.
const std::vector<CatalogStar> kBelt = {
    {100, {166.5, -77.5, -462.8}}, {200, {70.7, -69.4, -232.2}}, {300, {131.7, -24.5, -498.4}}};

ConstellationFigure Figure(const std::vector<CatalogStar>& stars, std::vector<FigureLine> lines) {
  ConstellationFigure figure{"Tst", "Test", {}, std::move(lines)};
  for (const CatalogStar& star : stars) figure.stars.push_back({star.number, star.position});
  return figure;
}

std::vector<int> LitWords(const PixelBuffer& stars) {
  std::vector<int> lit;
  for (size_t w = 0; w < stars.words.size(); ++w)
    if (stars.words[w] != 0) lit.push_back(static_cast<int>(w));
  return lit;
}

TEST(FigureLines, JoinTheStarsWhereverTheObserverStands) {
  StarCatalog catalog;
  Fill(catalog, kBelt);
  FigureLayer layer;
  layer.SetFigures({Figure(kBelt, {{0, 1}, {1, 2}})});
  const ScreenFrame frame = FrameOfSize(320, 240);
  const Vector3D centre = (kBelt[0].position + kBelt[1].position + kBelt[2].position) / 3.0;
  struct Row {
    const char* name;
    Vector3D observer;
  } rows[] = {
      {"the Sun", {0, 0, 0}}, {"a far star", {-150.0, 90.0, -120.0}}, {"beyond them", {300, -100, -1200}}};
  for (const Row& row : rows) {
    const ProjectionSetup setup = LookingAt(row.observer, centre, 0.2);
    CanvasFixture target(frame);
    layer.DrawLines(catalog, setup, frame, target.canvas);
    for (const FigureLine& line : {FigureLine{0, 1}, FigureLine{1, 2}}) {
      int x0 = 0, r0 = 0, x1 = 0, r1 = 0;
      ASSERT_TRUE(StarPixel(kBelt[line.from].position, setup, frame, x0, r0)) << row.name;
      ASSERT_TRUE(StarPixel(kBelt[line.to].position, setup, frame, x1, r1)) << row.name;
      // With no star drawn, both stars' own pixels are the lines' ends.
      EXPECT_NE(target.stars.words[r0 * frame.width + x0], 0) << row.name;
      EXPECT_NE(target.stars.words[r1 * frame.width + x1], 0) << row.name;
    }
    // Every lit pixel lies on one of the two lines between the stars' pixels.
    ScreenPoint p[3];
    for (int s = 0; s < 3; ++s) {
      int x = 0, r = 0;
      ASSERT_TRUE(StarPixel(kBelt[s].position, setup, frame, x, r));
      ProjectedPoint projected{};
      ProjectPoint(kBelt[s].position, setup.position, setup.forward, setup.scaledRight, setup.scaledDown,
                   projected);
      p[s] = ToScreenPoint(projected.x, projected.y, frame);
    }
    const std::vector<int> lit = LitWords(target.stars);
    EXPECT_GT(lit.size(), 10u) << row.name;
    for (int word : lit) {
      const int x = word % frame.width;
      const int r = word / frame.width;
      EXPECT_LE(std::min(DistanceToSegment(x, r, p[0], p[1]), DistanceToSegment(x, r, p[1], p[2])), 1.0)
          << row.name << " at " << x << "," << r;
      EXPECT_EQ(target.stars.words[word], kFigureLineColour);
    }
  }
}

TEST(FigureLines, APixelWithAStarOrATextIsLeftToIt) {
  const ScreenFrame frame = FrameOfSize(64, 48);
  CanvasFixture target(frame);
  PixelBuffer labels(frame.width, frame.height);
  const int star = 20 * frame.width + 10;
  const int text = 20 * frame.width + 30;
  target.starFrame.Clear();                               // from now on only noted words are cleared
  target.starFrame.Target(0).Plot(star, kPixelWhite, 0);  // star 0 is drawn there
  labels.words[text] = 0x7C00;                            // a red glyph pixel
  OverlayCanvas canvas(target.starFrame, frame.width, frame.height, &labels);
  canvas.Line({0.5, 20.5}, {63.5, 20.5}, kFigureLineColour);  // along row 20
  EXPECT_EQ(target.stars.words[star], kPixelWhite);
  EXPECT_EQ(target.stars.words[text], 0);
  const std::vector<uint32_t> lit = target.Lit();
  EXPECT_EQ(lit.size(), static_cast<size_t>(frame.width - 1));  // the star's pixel among them
  for (uint32_t word : lit) {
    if (static_cast<int>(word) == star) continue;
    EXPECT_EQ(target.stars.words[word], kFigureLineColour);
  }
  // The next frame's clear takes the line away with the star: the frame noted its words.
  target.starFrame.Clear();
  EXPECT_TRUE(target.Lit().empty());
}

// Observer at the origin looking along +z: one end in front to the right, the other behind.
TEST(SpaceLines, ALineThroughTheNearPlaneRunsToTheEdgeOnItsOwnSide) {
  const ScreenFrame frame = FrameOfSize(320, 240);
  const ProjectionSetup setup = LookingAt({0, 0, 0}, {0, 0, 1});
  const Vector3D front(1.0, 0.0, 10.0);
  const Vector3D behind(1.0, 0.0, -10.0);
  ScreenPoint a{}, b{};
  ASSERT_TRUE(ProjectSpaceLine(front, behind, setup, frame, a, b));
  EXPECT_EQ(a.row, frame.centerY);
  EXPECT_GT(b.column, 1e5);  // the cut end: far off to the right, not flipped to the left
  EXPECT_EQ(b.row, frame.centerY);
  CanvasFixture target(frame);
  target.canvas.Line(a, b, kFigureLineColour);
  int x = 0, r = 0;
  ASSERT_TRUE(StarPixel(front, setup, frame, x, r));
  const std::vector<int> lit = LitWords(target.stars);
  ASSERT_FALSE(lit.empty());
  for (int word : lit) {
    EXPECT_EQ(word / frame.width, r);
    EXPECT_GE(word % frame.width, x);
  }
  EXPECT_EQ(lit.back(), r * frame.width + frame.width - 1);  // reaches the right edge
  // The same line given the other way round.
  ScreenPoint c{}, d{};
  ASSERT_TRUE(ProjectSpaceLine(behind, front, setup, frame, c, d));
  EXPECT_EQ(c.column, b.column);
  EXPECT_EQ(d.column, a.column);
}

TEST(SpaceLines, ALineWithBothEndsBehindIsNotDrawn) {
  const ScreenFrame frame = FrameOfSize(320, 240);
  const ProjectionSetup setup = LookingAt({5, 5, 5}, {5, 5, 6});
  ScreenPoint a{}, b{};
  EXPECT_FALSE(ProjectSpaceLine({6, 5, 4}, {3, 7, -20}, setup, frame, a, b));
  EXPECT_FALSE(ProjectSpaceLine({5, 5, 5}, {5, 5, 5}, setup, frame, a, b));  // at the observer
}

TEST(SpaceLines, ClippingKeepsThePartOnTheScreen) {
  struct Row {
    const char* name;
    ScreenPoint a, b;
    bool shown;
    ScreenPoint clippedA, clippedB;
  } rows[] = {
      {"inside", {10, 10}, {20, 30}, true, {10, 10}, {20, 30}},
      {"across the left edge", {-10, 10}, {10, 10}, true, {0, 10}, {10, 10}},
      {"through the whole screen", {-100, 50}, {300, 50}, true, {0, 50}, {100, 50}},
      {"wholly above", {10, 120}, {90, 150}, false, {}, {}},
      {"past a corner", {-10, 50}, {50, -10}, true, {0, 40}, {40, 0}},
      {"far beyond", {-1e15, 10}, {1e15, 10}, true, {0, 10}, {100, 10}},
  };
  for (Row row : rows) {
    // The cut points are as exact as the ends' coordinates: an ulp of 1e15 is 0.125.
    const double tolerance = 1e-9 + 1e-15 * std::max(std::fabs(row.a.column), std::fabs(row.b.column));
    const bool shown = ClipToScreen(row.a, row.b, 100, 100);
    ASSERT_EQ(shown, row.shown) << row.name;
    if (!shown) continue;
    EXPECT_NEAR(row.a.column, row.clippedA.column, tolerance) << row.name;
    EXPECT_NEAR(row.a.row, row.clippedA.row, tolerance) << row.name;
    EXPECT_NEAR(row.b.column, row.clippedB.column, tolerance) << row.name;
    EXPECT_NEAR(row.b.row, row.clippedB.row, tolerance) << row.name;
  }
}

TEST(FigureStarMatching, FindsTheMapsStarsByNumberElsePosition) {
  const std::vector<ConstellationFigure> figures = {Figure(kBelt, {{0, 1}, {1, 2}})};
  struct Row {
    const char* name;
    std::vector<CatalogStar> map;
    std::vector<int32_t> expected;
  } rows[] = {
      {"the same stars", {{1, {0, 0, 0}}, kBelt[0], kBelt[1], kBelt[2]}, {1, 2, 3}},
      // A Gaia map: other numbers, positions a little off (another parallax, a little more distance).
      {"other numbers",
       {{7, kBelt[2].position * 1.1}, {8, kBelt[0].position * 0.95}, {9, kBelt[1].position}},
       {1, 2, 0}},
      {"one star missing", {kBelt[0], kBelt[2]}, {0, -1, 1}},
      {"same direction, far too distant", {{5, kBelt[0].position * 3.0}}, {-1, -1, -1}},
      {"the number wins over a nearer neighbour",
       {{6, kBelt[1].position}, {200, kBelt[1].position * 1.5}},
       {-1, 1, -1}},
      {"off by a degree",
       {{100, Vector3D(kBelt[0].position.x + 8.0, kBelt[0].position.y, kBelt[0].position.z)}},
       {-1, -1, -1}},
  };
  for (const Row& row : rows) {
    StarCatalog catalog;
    Fill(catalog, row.map);
    EXPECT_EQ(MatchFigureStars(figures, catalog.m_pStars, catalog.m_nStars), row.expected) << row.name;
  }
}

TEST(FigureLines, OnAMapThatLacksAStarOnlyTheLinesBetweenItsStarsAreDrawn) {
  StarCatalog catalog;
  Fill(catalog, {kBelt[0], kBelt[1]});  // no third star
  FigureLayer layer;
  layer.SetFigures({Figure(kBelt, {{0, 2}, {2, 1}})});
  const ScreenFrame frame = FrameOfSize(320, 240);
  CanvasFixture target(frame);
  layer.DrawLines(catalog, LookingAt({0, 0, 0}, kBelt[0].position), frame, target.canvas);
  EXPECT_TRUE(target.Lit().empty());

  Fill(catalog, kBelt);  // the full map: the layer matches again
  layer.DrawLines(catalog, LookingAt({0, 0, 0}, kBelt[0].position), frame, target.canvas);
  EXPECT_FALSE(target.Lit().empty());
}

}  // namespace
