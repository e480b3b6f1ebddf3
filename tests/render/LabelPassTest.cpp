// Label pass: which texts a star gets by magnitude and flags, where, in which
// colour; the bounds of label points; and the OR merge.
#include "render/LabelPass.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "FakeViewPlatform.h"
#include "RenderTestSupport.h"

void PrintTo(const RecordedText& t, std::ostream* os) {
  *os << "(" << t.x << ", " << t.y << ", \"" << t.text << "\", 0x" << std::hex << t.colorRef << std::dec
      << ")";
}

namespace {

constexpr ScreenFrame kFrame{640, 480, 320, 240};

// A star whose label point is window column x, line y.
StarEntry LabelledStar(int x, int y, double magnitude, const char* name, double distance = 10.0) {
  StarEntry star = ProjectedStar(ProjectedFor(x, kFrame.centerX, kPixelsPerUnit),
                                 ProjectedFor(y, kFrame.centerY, kPixelsPerUnit), magnitude, name);
  star.dDistance = distance;
  return star;
}

std::vector<RecordedText> DrawnTexts(const std::vector<StarEntry>& stars, const LabelFlags& flags) {
  FakeViewPlatform platform;
  PixelBuffer labels(kFrame.width, kFrame.height);
  DrawStarLabels(stars.data(), static_cast<int>(stars.size()), kFrame, flags, platform, labels);
  return platform.texts;
}

// The flag sets the toggles produce: each one implies the ones before it.
constexpr LabelFlags kNames{1, 0, 0, 0};
constexpr LabelFlags kSmallNames{1, 1, 0, 0};
constexpr LabelFlags kDesignations{1, 1, 0, 1};
constexpr LabelFlags kDistances{0, 0, 1, 0};
constexpr LabelFlags kNamesAndDistances{1, 0, 1, 0};

constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kOrange = 0x007FFF;

struct LabelCase {
  std::string name;
  LabelFlags flags;
  StarEntry star;
  std::vector<RecordedText> expected;
};
void PrintTo(const LabelCase& row, std::ostream* os) { *os << row.name; }

class LabelTable : public testing::TestWithParam<LabelCase> {};

TEST_P(LabelTable, DrawsExactlyTheseTexts) {
  EXPECT_EQ(DrawnTexts({GetParam().star}, GetParam().flags), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Choice, LabelTable,
    testing::Values(
        LabelCase{"NamesAtOnePointNineNine",
                  kNames,
                  LabelledStar(100, 200, 1.99, "Sirius"),
                  {{100, 200, "Sirius", kBlue}}},
        LabelCase{"NamesNotAtTwo", kNames, LabelledStar(100, 200, 2.0, "Sirius"), {}},
        LabelCase{"SmallNamesAtThreePointNineNine",
                  kSmallNames,
                  LabelledStar(100, 200, 3.99, "Vega"),
                  {{100, 200, "Vega", kBlue}}},
        LabelCase{"SmallNamesNotAtFourPointFive", kSmallNames, LabelledStar(100, 200, 4.5, "Vega"), {}},
        LabelCase{"DesignationsAtFourPointFive",
                  kDesignations,
                  LabelledStar(100, 200, 4.5, "Vega"),
                  {{100, 200, "Vega", kBlue}}},
        LabelCase{"DesignationDrawnWithDesignationsOn",
                  kDesignations,
                  LabelledStar(100, 200, 4.99,
                               "B+12\xB0"
                               "345"),
                  {{100, 200,
                    "B+12\xB0"
                    "345",
                    kBlue}}},
        LabelCase{"MinusDesignationDrawnWithDesignationsOn",
                  kDesignations,
                  LabelledStar(100, 200, 1.0,
                               "C-35\xB0"
                               "1234"),
                  {{100, 200,
                    "C-35\xB0"
                    "1234",
                    kBlue}}},
        LabelCase{"DesignationsNotAtFive",
                  kDesignations,
                  LabelledStar(100, 200, 5.0,
                               "B+12\xB0"
                               "345"),
                  {}},
        LabelCase{"DesignationNeverANameWithNames",
                  kNames,
                  LabelledStar(100, 200, -1.0,
                               "B+12\xB0"
                               "345"),
                  {}},
        LabelCase{"DesignationNeverANameWithSmallNames",
                  kSmallNames,
                  LabelledStar(100, 200, 1.0,
                               "P-12\xB0"
                               "345"),
                  {}},
        LabelCase{"EmptyNameDrawsNothing", kDesignations, LabelledStar(100, 200, 1.0, ""), {}},
        // Here a designation is known by its second character alone, unlike
        // in the name dialogs, which look for the degree sign.
        LabelCase{"PlusSecondIsADesignation", kNames, LabelledStar(100, 200, 1.0, "X+Yz"), {}},
        LabelCase{"DegreeSignFifthIsAName",
                  kNames,
                  LabelledStar(100, 200, 1.0,
                               "Abcd\xB0"
                               "ef"),
                  {{100, 200,
                    "Abcd\xB0"
                    "ef",
                    kBlue}}},
        LabelCase{"DistanceAtTwoPointNineNine",
                  kDistances,
                  LabelledStar(100, 200, 2.99, "Sol", 4.2),
                  {{100, 189, "4.20", kOrange}}},
        LabelCase{"DistanceNotAtThree", kDistances, LabelledStar(100, 200, 3.0, "Sol", 4.2), {}},
        LabelCase{"DistanceTwoDecimals",
                  kDistances,
                  LabelledStar(100, 200, 1.0, "", 1234.5),
                  {{100, 189, "1234.50", kOrange}}},
        LabelCase{"DistanceOfNearStar",
                  kDistances,
                  LabelledStar(100, 200, 1.0, "", 0.05),
                  {{100, 189, "0.05", kOrange}}},
        LabelCase{"NameThenDistance",
                  kNamesAndDistances,
                  LabelledStar(100, 200, 1.0, "Rigel", 860.0),
                  {{100, 200, "Rigel", kBlue}, {100, 189, "860.00", kOrange}}},
        LabelCase{"NoFlagsNoTexts", LabelFlags{0, 0, 0, 0}, LabelledStar(100, 200, -1.0, "Sirius"), {}}),
    [](const testing::TestParamInfo<LabelCase>& info) { return info.param.name; });

// Label points: the upper bounds are inclusive, lower bounds and the near
// limit exclude.
INSTANTIATE_TEST_SUITE_P(
    Bounds, LabelTable,
    testing::Values(
        LabelCase{
            "ColumnWidthStillLabelled", kNames, LabelledStar(640, 200, 1.0, "A"), {{640, 200, "A", kBlue}}},
        LabelCase{"ColumnBeyondWidthSkipped", kNames, LabelledStar(641, 200, 1.0, "A"), {}},
        LabelCase{"ColumnMinusOneSkipped", kNames, LabelledStar(-1, 200, 1.0, "A"), {}},
        LabelCase{"LineHeightGetsNameAndDistance",
                  kNamesAndDistances,
                  LabelledStar(100, 480, 1.0, "A", 7.5),
                  {{100, 480, "A", kBlue}, {100, 469, "7.50", kOrange}}},
        LabelCase{"LineBeyondHeightSkipped", kNames, LabelledStar(100, 481, 1.0, "A"), {}},
        LabelCase{"LineMinusOneSkipped", kNames, LabelledStar(100, -1, 1.0, "A"), {}},
        LabelCase{"LineZeroDistanceAboveTop",
                  kNamesAndDistances,
                  LabelledStar(0, 0, 1.0, "A", 7.5),
                  {{0, 0, "A", kBlue}, {0, -11, "7.50", kOrange}}},
        LabelCase{"NearerThanPointZeroOneSkipped", kNames, LabelledStar(100, 200, 1.0, "A", 0.009), {}},
        LabelCase{
            "PointZeroOneLabelled", kNames, LabelledStar(100, 200, 1.0, "A", 0.01), {{100, 200, "A", kBlue}}},
        LabelCase{"InvisibleSkipped",
                  kNames,
                  [] {
                    StarEntry star = LabelledStar(100, 200, 1.0, "A");
                    star.bVisible = 0;
                    return star;
                  }(),
                  {}},
        LabelCase{"ColumnBeyondInt32Skipped", kNames, ProjectedStar(1e10, 0.0, 1.0, "A"), {}},
        LabelCase{"NaNLineSkipped", kNames, ProjectedStar(0.0, std::nan(""), 1.0, "A"), {}}),
    [](const testing::TestParamInfo<LabelCase>& info) { return info.param.name; });

TEST(DrawStarLabels, HugeDistanceIsPrintedWhole) {
  const std::vector<RecordedText> texts = DrawnTexts({LabelledStar(100, 200, 1.0, "", 1e300)}, kDistances);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text.size(), 304u);  // 301 digits, point, two decimals
  EXPECT_EQ(texts[0].text.substr(0, 4), "1000");
  EXPECT_EQ(texts[0].text.substr(301), ".00");
}

TEST(DrawStarLabels, LabelPointUsesPlusFiveHundredForLines) {
  // dProjY 0.25 is below the centre: line 240 + 125 from the top.
  EXPECT_EQ(DrawnTexts({ProjectedStar(0.25, 0.25, 1.0, "A")}, kNames),
            (std::vector<RecordedText>{{445, 365, "A", kBlue}}));
}

TEST(MergeLabelBuffer, OrsEveryWord) {
  struct Row {
    const char* name;
    uint16_t star;
    uint16_t label;
    uint16_t merged;
  };
  const std::vector<Row> rows = {
      {"BlueOverWhiteStaysWhite", 0x7FFF, 0x001F, 0x7FFF},
      {"BlueOverGrey", 0x3DEF, 0x001F, 0x3DFF},
      {"OrangeOverBlack", 0x0000, 0x7DE0, 0x7DE0},
      {"BlackCellKeepsStar", 0x1CE7, 0x0000, 0x1CE7},
  };
  PixelBuffer stars(static_cast<int>(rows.size()), 2);
  PixelBuffer labels(static_cast<int>(rows.size()), 2);
  for (size_t i = 0; i < rows.size(); ++i) {
    stars.words[i] = rows[i].star;
    labels.words[i] = rows[i].label;
  }
  MergeLabelBuffer(stars, labels);
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(stars.words[i], rows[i].merged) << rows[i].name;
}

}  // namespace
