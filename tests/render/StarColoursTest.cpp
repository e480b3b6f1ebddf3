// Star colours: every class's pixels against the colour table at the three
// grey levels, through the view's paint with the stars drawn straight or
// sorted into bands on the threads; stars without a class, labels and the
// frame with colours off left exactly as they were.
#include "render/StarColours.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "FakeViewPlatform.h"
#include "RenderTestSupport.h"
#include "geometry/ViewBasis.h"
#include "render/DrawnStarMap.h"
#include "view/SkyglassView.h"

namespace {

// The words a white (0x7FFF), grey (0x3DEF) and dark grey (0x1CE7) star
// pixel becomes: each channel 31, 15 or 7 times the class colour's channel
// over its brightest channel, rounded to nearest (Charity's Sp5(V) table).
struct TagRow {
  const char* tag;
  uint16_t white, grey, dark;
};
constexpr TagRow kTagRows[] = {
    {"O9.5V", 0x4EBF, 0x254F, 0x10A7},    {"B8V", 0x56FF, 0x296F, 0x14A7},
    {"A0", 0x675F, 0x31AF, 0x18C7},       {"F5", 0x7BDF, 0x3DEF, 0x1CE7},
    {"G2V", 0x7FDC, 0x3DCE, 0x1CE6},      {"K0III", 0x7F54, 0x3D89, 0x1CC4},
    {"M2Iab", 0x7F2D, 0x3D87, 0x1CC3},    {"WN8(h)", 0x4EBF, 0x254F, 0x10A7},     // Wolf-Rayet as O
    {"[WC9/10]", 0x4EBF, 0x254F, 0x10A7}, {"sdB", 0x56FF, 0x296F, 0x14A7},        // subdwarf B
    {"DA2.5", 0x675F, 0x31AF, 0x18C7},    {"kA3hA7mF2", 0x675F, 0x31AF, 0x18C7},  // white dwarf, Am
    {"(G)w", 0x7FDC, 0x3DCE, 0x1CE6},     {"R3", 0x7F54, 0x3D89, 0x1CC4},         // early carbon star as K
    {"C-N5", 0x7F2D, 0x3D87, 0x1CC3},     {"CSTAR", 0x7F2D, 0x3D87, 0x1CC3},
    {"S4,1", 0x7F2D, 0x3D87, 0x1CC3},     {"L0V", 0x7F2D, 0x3D87, 0x1CC3},
    {"", 0x7FFF, 0x3DEF, 0x1CE7},         {"em", 0x7FFF, 0x3DEF, 0x1CE7},  // no class: grey
    {"PG1159", 0x7FFF, 0x3DEF, 0x1CE7},
};

uint16_t Expected(const TagRow& row, uint16_t greyWord) {
  switch (greyWord) {
    case 0x7FFF:
      return row.white;
    case 0x3DEF:
      return row.grey;
    case 0x1CE7:
      return row.dark;
    default:
      ADD_FAILURE() << "not a star pixel: " << greyWord;
      return 0;
  }
}

// Stars within 60 light years of the origin, the tags of kTagRows in turn,
// every 7th named at the star's own pixel.
std::vector<StarEntry> TaggedCloud(int32_t count) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coordinate(-60.0, 60.0);
  std::uniform_real_distribution<double> absMagnitude(-4.0, 12.0);
  std::vector<StarEntry> stars(static_cast<size_t>(count), StarEntry{});
  for (size_t i = 0; i < stars.size(); ++i) {
    stars[i].vPos = Vector3D(coordinate(random), coordinate(random), coordinate(random));
    stars[i].dAbsMagnitude = absMagnitude(random);
    std::strcpy(stars[i].szTag, kTagRows[i % std::size(kTagRows)].tag);
    if (i % 7 == 0) std::strcpy(stars[i].szName, "Named");
  }
  return stars;
}

struct ColourScene {
  const char* name;
  int width, height;
  double zoom;
  // From 32,768 stars to draw on, the paint sorts them into bands of rows.
  int32_t count;
};

void PrintTo(const ColourScene& scene, std::ostream* os) { *os << scene.name; }

class StarColoursPaint : public testing::TestWithParam<ColourScene> {};

TEST_P(StarColoursPaint, TintsEachClassAsTheTableAndLeavesTheRestAsItWas) {
  const ColourScene& scene = GetParam();
  CSkyglassDoc document("unused.smp");
  FillCatalog(document.m_catalog, TaggedCloud(scene.count));
  document.m_bMapPresent = 1;
  FakeViewPlatform platform;
  platform.markTextPixels = true;
  CSkyglassView view(document, platform);
  ComputeBasis(0.4, -0.2, view.m_vForward, view.m_vRight, view.m_vDown);
  view.m_dZoom = scene.zoom;
  view.OnSize(0, scene.width, scene.height);
  auto paint = [&] {
    view.m_bProjectionDirty = 1;
    view.OnDraw();
    return view.m_hStarBitmap->words;
  };
  const std::vector<uint16_t> stars = paint();  // stars only, colours off
  view.m_bNames = 1;
  const std::vector<uint16_t> grey = paint();
  const std::vector<uint16_t> labels = view.m_hLabelBitmap->words;

  view.OnStarColours();
  const std::vector<uint16_t> coloured = paint();
  const std::vector<int32_t>& drawn = view.DrawnStars().index;
  int tinted = 0;
  for (size_t word = 0; word < coloured.size(); ++word) {
    if (drawn[word] == DrawnStarMap::kNoStar) {
      ASSERT_EQ(coloured[word], grey[word]) << word;  // black or a label over black
      continue;
    }
    const uint16_t expected = Expected(kTagRows[drawn[word] % std::size(kTagRows)], stars[word]);
    ASSERT_EQ(coloured[word], expected | labels[word]) << word;  // the label merged over the tint
    tinted += expected != stars[word];
  }
  EXPECT_GT(tinted, 10);

  view.OnStarColours();
  EXPECT_EQ(paint(), grey);  // off again: the frame as before, to the bit
}

INSTANTIATE_TEST_SUITE_P(Scenes, StarColoursPaint,
                         testing::Values(ColourScene{"DrawnStraight", 322, 201, 1.0, 20000},
                                         ColourScene{"CrowdedDrawnStraight", 40, 30, 0.05, 3000},
                                         ColourScene{"SortedIntoBands", 322, 201, 1.0, 90000},
                                         ColourScene{"SortedIntoManyBands", 1024, 768, 1.0, 150000}),
                         [](const testing::TestParamInfo<ColourScene>& info) { return info.param.name; });

TEST(StarColoursTag, ReadsNoFurtherThanTheField) {
  const char unterminated[] = "sdsdsdsdsdB";
  EXPECT_EQ(ColourClassOfTag(unterminated, 10), kNoColourClass);
  EXPECT_NE(ColourClassOfTag(unterminated, 11), kNoColourClass);
}

}  // namespace
