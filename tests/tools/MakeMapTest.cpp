// vantaro-mkmap's pipeline: record bytes, row conversion, rounding and
// range limits, filters, malformed input, and both encodings.
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>

#include "StarConversion.h"
#include "ToolsTestSupport.h"

namespace {

// The short header the tests write: the columns the tool needs, in another order.
constexpr const char* kShortHeader = "id,hip,proper,dm,spect,x,y,z,absmag\n";

std::string Shortest(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// Parsecs that the map frame turns back into this many light years.
std::string ParsecsFor(double lightYears) { return Shortest(lightYears / kLightYearsPerParsec); }

MakeMapOptions Options(const std::string& input, const std::string& output) {
  MakeMapOptions options;
  options.inputs = {input};
  options.output = output;
  return options;
}

TEST(StarConversion, ToMillionthsRoundsToNearestWithinTheFieldRange) {
  const struct {
    double value;
    std::optional<int32_t> expected;
  } rows[] = {
      {1.42, 1420000},
      {0.0012345, 1235},  // halfway, away from zero
      {-0.0012345, -1235},
      {2.5e-6, 3},
      {-2.5e-6, -3},
      {5e-7, 1},
      {4.9e-7, 0},
      {2147.483647, 2147483647},
      {-2147.483647, -2147483647},
      {2147.4836474, 2147483647},
      {2147.4836475, std::nullopt},  // rounds to 2147483648
      {-2147.483648, std::nullopt},  // fits 32 bits, but outside the symmetric range
      {1e300, std::nullopt},
      {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(ToMillionths(row.value), row.expected) << row.value;
}

// A row with a known absolute magnitude at the origin.
CatalogStar Row(uint64_t id, std::optional<uint64_t> hip, std::string_view proper = "",
                std::string_view dm = "", std::string_view spect = "") {
  CatalogStar star;
  star.id = id;
  star.hip = hip;
  star.proper = proper;
  star.dm = dm;
  star.spect = spect;
  star.absMag = 1.0;
  return star;
}

// The notes as words, so that a table row can state them in one string.
std::string Words(const ConversionNotes& notes) {
  std::string words;
  const std::pair<bool, const char*> flags[] = {
      {notes.properName, " proper"},
      {notes.designation, " designation"},
      {notes.unreadableDesignation, " unreadable"},
      {notes.charactersReplaced, " replaced"},
      {notes.nameCut, " name-cut"},
      {notes.tagCut, " tag-cut"},
  };
  for (const auto& [set, word] : flags)
    if (set) words += word;
  return words;
}

TEST(StarConversion, CatalogueNumberIsTheHipNumberElseTheIdWithin24Bits) {
  const struct {
    const char* name;
    CatalogStar row;
    LeftOut leftOut;
    uint32_t catalogNumber;
  } rows[] = {
      {"hip number", Row(7, 32349), LeftOut::None, 32349},
      {"row id without hip", Row(104607, {}), LeftOut::None, 104607},
      {"largest number", Row(1, 16777215), LeftOut::None, 16777215},
      {"hip beyond 24 bits", Row(1, 16777216), LeftOut::CatalogNumberTooLarge, 0},
      {"id beyond 24 bits", Row(16777216, {}), LeftOut::CatalogNumberTooLarge, 0},
  };
  for (const auto& row : rows) {
    MapStar star;
    ConversionNotes notes;
    EXPECT_EQ(ConvertStar(row.row, WorldFrame::Galactic, kPlainEncoding, &star, &notes), row.leftOut)
        << row.name;
    if (row.leftOut == LeftOut::None) {
      EXPECT_EQ(star.catalogNumber, row.catalogNumber) << row.name;
    }
  }
  CatalogStar noMagnitude = Row(1, 2);
  noMagnitude.absMag.reset();
  MapStar star;
  ConversionNotes notes;
  EXPECT_EQ(ConvertStar(noMagnitude, WorldFrame::Galactic, kPlainEncoding, &star, &notes),
            LeftOut::NoAbsoluteMagnitude);
}

TEST(StarConversion, NameIsTheProperNameElseTheDesignation) {
  const std::string longName(140, 'n');
  const MapEncoding plain = kPlainEncoding, complemented = kComplementedEncoding;
  // clang-format off
  const struct {
    const char* name;
    CatalogStar row;
    MapEncoding encoding;
    std::string tag, mapName;
    const char* notes;
  } rows[] = {
      {"proper name first", Row(1, 2, "Sirius", "BD-16 1591", "A1V+DA"), plain, "A1V+DA", "Sirius", " proper"},
      {"designation", Row(1, 2, "", "BD+38 4343", "K5V"), plain, "K5V", "B+38\xB0" "4343", " designation"},
      {"unreadable designation", Row(1, 2, "", "BD+38", "K5V"), plain, "K5V", "", " unreadable"},
      {"neither", Row(1, 2), plain, "", "", ""},
      {"diacritics", Row(1, 2, "Bibh\u0101"), plain, "", "Bibha", " proper replaced"},
      {"long type cut", Row(1, 2, "", "", "M1-M2Ia-Iab"), plain, "M1-M2Ia-I", "", " tag-cut"},
      {"long name cut", Row(1, 2, longName), plain, "", std::string(133, 'n'), " proper name-cut"},
      {"y diaeresis in plain", Row(1, 2, "\u00ff"), plain, "", "\xFF", " proper"},
      {"y diaeresis would end a complemented string", Row(1, 2, "\u00ff"), complemented, "", "y", " proper replaced"},
      {"control characters are not stored", Row(1, 2, "a\tb\x7f", "", std::string_view("K\0", 2)), plain, "K?", "a?b?", " proper replaced"},
  };
  // clang-format on
  for (const auto& row : rows) {
    MapStar star;
    ConversionNotes notes;
    ASSERT_EQ(ConvertStar(row.row, WorldFrame::Galactic, row.encoding, &star, &notes), LeftOut::None)
        << row.name;
    EXPECT_EQ(star.tag, row.tag) << row.name;
    EXPECT_EQ(star.name, row.mapName) << row.name;
    EXPECT_EQ(Words(notes), row.notes) << row.name;
  }
}

TEST(MakeMap, KeepsStarsExactlyAtTheCoordinateLimits) {
  TempDirectory dir("limits");
  const std::string top = ParsecsFor(2147.483647), bottom = ParsecsFor(-2147.483647);
  const std::string csv = std::string(kShortHeader) +                            //
                          "1,,,,," + top + "," + bottom + ",0,2147.483647\n" +   // kept
                          "2,,,,,0," + top + "," + bottom + ",-2147.483647\n" +  // kept
                          "3,,,,," + ParsecsFor(2147.4836475) + ",0,0,0\n" +     // beyond
                          "4,,,,,0,0," + ParsecsFor(-2147.483648) + ",0\n" +     // beyond
                          "5,,,,,0,0,0,2147.4836475\n";                          // magnitude beyond
  MakeMapOptions options = Options(dir.Write("limits.csv", csv), dir.File("limits.smp"));
  options.frame = WorldFrame::Map;
  MakeMapSummary summary;
  ASSERT_EQ(RunMakeMap(options, nullptr, &summary), kExitSuccess);
  EXPECT_EQ(summary.outsideFieldRange, 3u);

  LoadedMap map;
  LoadMap(options.output, &map);
  ASSERT_EQ(map.catalog.m_nStars, 2);
  const double limit = 2147483647 * 1e-6, negativeLimit = -2147483647 * 1e-6;
  const StarEntry* stars = map.catalog.m_pStars;
  EXPECT_EQ(stars[0].vPos.x, limit);
  EXPECT_EQ(stars[0].vPos.y, negativeLimit);
  EXPECT_EQ(stars[0].dAbsMagnitude, limit);
  EXPECT_EQ(stars[1].vPos.y, limit);
  EXPECT_EQ(stars[1].vPos.z, negativeLimit);
  EXPECT_EQ(stars[1].dAbsMagnitude, negativeLimit);
}

TEST(MakeMap, FiltersAndLimitChooseTheStars) {
  TempDirectory dir("filters");
  // Stars at 5, 9.99, 10.5 and 20 light years on the x axis, absolute magnitudes 1 to 7.
  const std::string csv = std::string(kShortHeader) + "1,,A,,," + ParsecsFor(5) + ",0,0,1\n" + "2,,B,,," +
                          ParsecsFor(-9.99) + ",0,0,7\n" + "3,,C,,,0," + ParsecsFor(10.5) + ",0,3\n" +
                          "4,,D,,,0,0," + ParsecsFor(20) + ",4.83\n" + "5,,E,,,0,0,0,\n";
  const std::string input = dir.Write("in.csv", csv);
  const auto names = [&](const MakeMapOptions& options) {
    EXPECT_EQ(RunMakeMap(options), kExitSuccess);
    LoadedMap map;
    LoadMap(options.output, &map);
    std::string result;
    for (int32_t i = 0; i < map.catalog.m_nStars; ++i) result += map.catalog.m_pStars[i].szName;
    return result;
  };
  MakeMapOptions options = Options(input, dir.File("out.smp"));
  options.frame = WorldFrame::Map;
  EXPECT_EQ(names(options), "ABCD");

  MakeMapOptions nearby = options;
  nearby.maxDistance = 10.0;
  EXPECT_EQ(names(nearby), "AB");
  MakeMapOptions bright = options;
  bright.maxAbsMag = 4.83;
  EXPECT_EQ(names(bright), "ACD");
  MakeMapOptions both = bright;
  both.maxDistance = 10.0;
  EXPECT_EQ(names(both), "A");
  MakeMapOptions limited = options;
  limited.limit = 2;
  EXPECT_EQ(names(limited), "AB");
  limited.limit = 0;
  EXPECT_EQ(names(limited), "");

  MakeMapSummary summary;
  ASSERT_EQ(RunMakeMap(both, nullptr, &summary), kExitSuccess);
  EXPECT_EQ(summary.rowsRead, 5u);
  EXPECT_EQ(summary.noAbsoluteMagnitude, 1u);
  EXPECT_EQ(summary.beyondMaxDistance, 2u);     // C and D
  EXPECT_EQ(summary.fainterThanMaxAbsMag, 1u);  // B
  limited.limit = 2;
  ASSERT_EQ(RunMakeMap(limited, nullptr, &summary), kExitSuccess);
  EXPECT_TRUE(summary.stoppedAtLimit);
  EXPECT_EQ(summary.rowsRead, 2u);  // reading stops at the limit
}

TEST(MakeMap, MalformedInputStopsWithFileLineAndExitCode2) {
  const struct {
    const char* name;
    std::string csv;
    const char* message;  // after "path"
  } rows[] = {
      {"coordinate not a number", std::string(kShortHeader) + "1,,,,,0,0,0,1\n2,,,,,0,x1,0,1\n",
       ":3: column 'y': 'x1' is not a number"},
      {"too few fields", std::string(kShortHeader) + "1,,,,,0,0,0\n", ":2: 8 fields where the header has 9"},
      {"too many fields", std::string(kShortHeader) + "1,,,,,0,0,0,1,9\n",
       ":2: 10 fields where the header has 9"},
      {"negative hip", std::string(kShortHeader) + "1,-5,,,,0,0,0,1\n",
       ":2: column 'hip': '-5' is not a whole number"},
      {"id with decimals", std::string(kShortHeader) + "1.5,,,,,0,0,0,1\n",
       ":2: column 'id': '1.5' is not a whole number"},
      {"infinite magnitude", std::string(kShortHeader) + "1,,,,,0,0,0,inf\n",
       ":2: column 'absmag': 'inf' is not a number"},
      {"empty coordinate", std::string(kShortHeader) + "1,,,,,,0,0,1\n",
       ":2: column 'x': '' is not a number"},
      {"stray quote", std::string(kShortHeader) + "1,,a\"b,,,0,0,0,1\n",
       ":2: quote inside a field that does not begin with one"},
      {"unterminated quote", std::string(kShortHeader) + "1,,\"Vega,,,0,0,0,1\n",
       ":2: quoted field not closed before the end of the file"},
      {"missing column", "id,hip,proper,spect,x,y,absmag\n1,,,,0,0,1\n",
       ":1: no column named 'z' in the header"},
      {"empty file", "", ": empty file, no header line"},
  };
  TempDirectory dir("malformed");
  for (const auto& row : rows) {
    const std::string input = dir.Write("bad.csv", row.csv);
    const std::string output = dir.File("bad.smp");
    std::string log;
    EXPECT_EQ(RunMakeMap(Options(input, output), &log), kExitBadInput) << row.name;
    EXPECT_EQ(log, "vantaro-mkmap: " + input + row.message + "\n") << row.name;
    EXPECT_FALSE(std::filesystem::exists(output)) << row.name;
    EXPECT_FALSE(std::filesystem::exists(output + ".tmp")) << row.name;
  }
}

TEST(MakeMap, UnreadableInputOrOutputExitsWith1) {
  TempDirectory dir("io");
  std::string log;
  EXPECT_EQ(RunMakeMap(Options(dir.File("missing.csv"), dir.File("out.smp")), &log), kExitFailure);
  EXPECT_EQ(log, "vantaro-mkmap: " + dir.File("missing.csv") + ": No such file or directory\n");
  const std::string input = dir.Write("in.csv", std::string(kShortHeader) + "1,,,,,0,0,0,1\n");
  EXPECT_EQ(RunMakeMap(Options(input, dir.File("no/such/dir/out.smp")), &log), kExitFailure);
}

TEST(MakeMap, ComplementedEncodingLoadsAsTheSameStars) {
  TempDirectory dir("encodings");
  const std::string csv = std::string(kShortHeader) +
                          "0,,Sol,,G2V,0,0,0,4.83\n"
                          "28952,32349,Sirius,BD-16 1591,A1V+DA,-0.494331,2.476774,-0.758498,1.444\n"
                          "92020,104214,,BD+38 4343,K5V,1.985718,-1.869590,2.188919,7.481\n"
                          "9,10,B\u00e9l\u00e9nos,,\"C5,5\",-1.5,0.25,-600,-7.263\n";
  const std::string input = dir.Write("in.csv", csv);
  MakeMapOptions plain = Options(input, dir.File("plain.smp"));
  MakeMapOptions complemented = Options(input, dir.File("complemented.smp"));
  complemented.encoding = kComplementedEncoding;
  ASSERT_EQ(RunMakeMap(plain), kExitSuccess);
  ASSERT_EQ(RunMakeMap(complemented), kExitSuccess);
  EXPECT_NE(ReadBytes(plain.output), ReadBytes(complemented.output));
  EXPECT_EQ(ReadBytes(plain.output).size(), ReadBytes(complemented.output).size());

  LoadedMap a, b;
  LoadMap(plain.output, &a);
  LoadMap(complemented.output, &b);
  EXPECT_FALSE(a.diagnosis.complemented);
  EXPECT_TRUE(b.diagnosis.complemented);
  ASSERT_EQ(a.catalog.m_nStars, 4);
  ASSERT_EQ(b.catalog.m_nStars, 4);
  for (int32_t i = 0; i < 4; ++i) {
    const StarEntry &s = a.catalog.m_pStars[i], &t = b.catalog.m_pStars[i];
    EXPECT_EQ(s.nCatalogNumber, t.nCatalogNumber) << i;
    EXPECT_EQ(s.vPos.x, t.vPos.x) << i;
    EXPECT_EQ(s.vPos.y, t.vPos.y) << i;
    EXPECT_EQ(s.vPos.z, t.vPos.z) << i;
    EXPECT_EQ(s.dAbsMagnitude, t.dAbsMagnitude) << i;
    EXPECT_STREQ(s.szTag, t.szTag) << i;
    EXPECT_STREQ(s.szName, t.szName) << i;
  }
  const StarEntry* stars = a.catalog.m_pStars;
  EXPECT_STREQ(stars[2].szName,
               "B+38\xB0"
               "4343");
  EXPECT_STREQ(stars[3].szName, "B\xE9l\xE9nos");
  EXPECT_STREQ(stars[3].szTag, "C5,5");
  EXPECT_EQ(stars[1].nCatalogNumber, 32349);
  EXPECT_EQ(stars[1].dAbsMagnitude, 1444000 * 1e-6);
  EXPECT_EQ(stars[0].vPos.x, 0.0);
}

TEST(MakeMap, ReadsHygFilesWithQuotedFieldsAndNoDesignations) {
  TempDirectory dir("hyg");
  // The HYG database quotes every field and has no dm column; the row of a
  // star without a HIP number takes its id.
  const std::string csv =
      "\xEF\xBB\xBF\"id\",\"hip\",\"hd\",\"hr\",\"gl\",\"bf\",\"proper\",\"ra\",\"dec\",\"dist\",\"mag\","
      "\"absmag\",\"spect\",\"x\",\"y\",\"z\"\r\n"
      "\"0\",\"\",\"\",\"\",\"\",\"\",\"Sol\",\"0.000000\",\"0.000000\",\"0.0000\",\"-26.700\",\"4.850\","
      "\"G2V\",\"0.000005\",\"0.000000\",\"0.000000\"\r\n"
      "\"119617\",\"\",\"\",\"\",\"Gl 406\",\"\",\"Wolf 359\",\"10.9\",\"7.0\",\"2.39\",\"13.5\",\"16.6\","
      "\"M6\",\"-2.299727\",\"0.654205\",\"0.294198\"\r\n"
      "\"7\",\"7\",\"\",\"\",\"\",\"\",\"\",\"0\",\"0\",\"100000.0000\",\"9\",\"-11\",\"C5,5\",\"100000\","
      "\"0\",\"0\"\r\n";
  MakeMapOptions options = Options(dir.Write("hyg.csv", csv), dir.File("hyg.smp"));
  MakeMapSummary summary;
  ASSERT_EQ(RunMakeMap(options, nullptr, &summary), kExitSuccess);
  EXPECT_EQ(summary.outsideFieldRange, 1u);  // HYG's 100000 pc for an unknown distance
  LoadedMap map;
  LoadMap(options.output, &map);
  ASSERT_EQ(map.catalog.m_nStars, 2);
  EXPECT_STREQ(map.catalog.m_pStars[0].szName, "Sol");
  EXPECT_EQ(map.catalog.m_pStars[1].nCatalogNumber, 119617);
  EXPECT_STREQ(map.catalog.m_pStars[1].szName, "Wolf 359");
}

}  // namespace
