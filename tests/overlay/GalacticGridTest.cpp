// The galactic grid: its equator through the pixels it must cross for known
// view directions, the same picture wherever the observer stands, and the
// longitudes written where the equator meets them.
#include <gtest/gtest.h>

#include <cmath>

#include "FakeViewPlatform.h"
#include "OverlayTestSupport.h"
#include "overlay/GalacticGridLayer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

ProjectionSetup Angles(double yawDegrees, double pitchDegrees, const Vector3D& position = {}) {
  ProjectionSetup setup{position, {}, {}, {}};
  ComputeBasis(yawDegrees * kPi / 180.0, pitchDegrees * kPi / 180.0, setup.forward, setup.scaledRight,
               setup.scaledDown);
  return setup;
}

std::vector<int> WordsOfColour(const PixelBuffer& stars, uint16_t colour) {
  std::vector<int> words;
  for (size_t w = 0; w < stars.words.size(); ++w)
    if (stars.words[w] == colour) words.push_back(static_cast<int>(w));
  return words;
}

TEST(GalacticGrid, TheMapsFrameIsGalactic) {
  struct Row {
    double l, b;
    Vector3D expected;
  } rows[] = {{0, 0, {0, 0, 1}}, {90, 0, {-1, 0, 0}}, {270, 0, {1, 0, 0}}, {0, 90, {0, 1, 0}}};
  for (const Row& row : rows) {
    const Vector3D d = GalacticDirection(row.l, row.b);
    EXPECT_NEAR(d.x, row.expected.x, 1e-15) << row.l << "," << row.b;
    EXPECT_NEAR(d.y, row.expected.y, 1e-15) << row.l << "," << row.b;
    EXPECT_NEAR(d.z, row.expected.z, 1e-15) << row.l << "," << row.b;
  }
}

// Looking along the galactic plane, the equator is the centre row from edge to edge.
TEST(GalacticGrid, LookingAlongThePlaneTheEquatorIsTheCentreRow) {
  const ScreenFrame frame = FrameOfSize(320, 240);
  for (double yaw : {0.0, 90.0, 200.0}) {
    CanvasFixture target(frame);
    GalacticGridLayer().DrawLines(Angles(yaw, 0.0), frame, target.canvas);
    const std::vector<int> equator = WordsOfColour(target.stars, kGridEquatorColour);
    ASSERT_EQ(equator.size(), static_cast<size_t>(frame.width)) << yaw;
    for (int x = 0; x < frame.width; ++x) EXPECT_EQ(equator[x], frame.centerY * frame.width + x) << yaw;
    EXPECT_FALSE(WordsOfColour(target.stars, kGridLineColour).empty()) << yaw;  // the meridians
  }
}

// Looking 30 degrees up towards the centre, the equator crosses the centre
// column 500 tan 30 pixels below the centre; looking straight at the pole,
// it lies on the horizon all round and is not drawn.
TEST(GalacticGrid, TiltedTheEquatorCrossesWhereTheProjectionPutsIt) {
  const ScreenFrame frame = FrameOfSize(640, 800);
  CanvasFixture up(frame);
  GalacticGridLayer().DrawLines(Angles(0.0, 30.0), frame, up.canvas);
  const int row = static_cast<int>(frame.centerY - 500.0 * std::tan(30.0 * kPi / 180.0));
  EXPECT_EQ(up.stars.words[row * frame.width + frame.centerX], kGridEquatorColour);
  for (int r = 0; r < frame.height; ++r) {
    if (std::abs(r - row) > 1) {
      EXPECT_NE(up.stars.words[r * frame.width + frame.centerX], kGridEquatorColour) << r;
    }
  }
  // Every sampled point of the equator that shows is lit.
  for (int l = -60; l <= 60; l += 2) {
    int x = 0, r = 0;
    if (StarPixel(GalacticDirection(l, 0.0), Angles(0.0, 30.0), frame, x, r)) {
      EXPECT_EQ(up.stars.words[r * frame.width + x], kGridEquatorColour) << l;
    }
  }

  CanvasFixture pole(frame);
  GalacticGridLayer().DrawLines(Angles(0.0, 89.9999), frame, pole.canvas);
  EXPECT_TRUE(WordsOfColour(pole.stars, kGridEquatorColour).empty());
  EXPECT_FALSE(WordsOfColour(pole.stars, kGridLineColour).empty());  // the meridians meet at the pole
}

TEST(GalacticGrid, TravelLeavesTheGridWhereItWas) {
  const ScreenFrame frame = FrameOfSize(320, 240);
  CanvasFixture home(frame);
  CanvasFixture away(frame);
  GalacticGridLayer().DrawLines(Angles(35.0, -20.0), frame, home.canvas);
  GalacticGridLayer().DrawLines(Angles(35.0, -20.0, {120.0, -45.5, 2000.0}), frame, away.canvas);
  EXPECT_EQ(home.stars.words, away.stars.words);
  EXPECT_FALSE(home.Lit().empty());
}

TEST(GalacticGrid, LongitudesAreWrittenWhereTheEquatorMeetsThem) {
  const ScreenFrame frame = FrameOfSize(320, 240);
  // Two pixels right of and below the point, which projects to the centre give or take a rounding.
  struct Row {
    const char* name;
    ProjectionSetup setup;
    const char* expected;  // nullptr: no text
  } rows[] = {
      {"towards the centre", Angles(0.0, 0.0), "l 0\xB0"},
      {"towards l 90", LookingAt({}, {-1, 0, 0}), "l 90\xB0"},
      {"towards l 180", LookingAt({}, {0, 0, -1}), "l 180\xB0"},
      {"towards l 270", LookingAt({}, {1, 0, 0}), "l 270\xB0"},
      {"towards the pole", Angles(0.0, 89.0), nullptr},
  };
  for (const Row& row : rows) {
    FakeViewPlatform platform;
    platform.markTextPixels = true;  // the text lights its first cell's top-left pixel
    CanvasFixture target(frame);
    EXPECT_EQ(GalacticGridLayer().DrawLabels(row.setup, frame, platform, target.canvas), row.expected ? 1 : 0)
        << row.name;
    if (row.expected == nullptr) {
      EXPECT_TRUE(platform.texts.empty()) << row.name;
      EXPECT_TRUE(target.Lit().empty()) << row.name;
      continue;
    }
    ASSERT_EQ(platform.texts.size(), 1u) << row.name;
    EXPECT_EQ(platform.texts[0].text, row.expected);
    const std::vector<uint32_t> lit = target.Lit();
    ASSERT_EQ(lit.size(), 1u) << row.name;
    const int x = static_cast<int>(lit[0]) % frame.width;
    const int line = frame.height - 1 - static_cast<int>(lit[0]) / frame.width;
    EXPECT_LE(std::abs(x - (frame.centerX + 2)), 1) << row.name << " " << x;
    EXPECT_LE(std::abs(line - (frame.centerY + 2)), 1) << row.name << " " << line;
    EXPECT_EQ(target.stars.words[lit[0]], ColorRefToPixel(kGridLabelColorRef));
  }
}

}  // namespace
