// Importing AT-HYG and Gaia archive results: real rows of well-known stars end
// at their published galactic positions and distances, through CSV, ECSV and
// FITS; every skip reason is counted; --limit with --keep chooses the stars;
// malformed input names file, line or row and column.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "GaiaConversion.h"
#include "GaiaFitsTable.h"
#include "ToolsTestSupport.h"

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// AT-HYG header (v3.2 column set; v2.x has the same names for the columns read).
constexpr const char* kAtHygHeader =
    "id,tyc,gaia,hyg,hip,hd,hr,gl,bayer,flam,con,proper,ra,dec,pos_src,dist,x0,y0,z0,dist_src,mag,absmag,ci,"
    "mag_src,rv,rv_src,pm_ra,pm_dec,pm_src,vx,vy,vz,spect,spect_src\n";

// A star's place as the map gives it back: galactic longitude and latitude
// in degrees and distance in parsecs. The map's galactic frame has +z to
// l = 0, +y to the north galactic pole and +x to l = 270.
struct Galactic {
  double l, b, parsecs;
};

Galactic FromMap(const StarEntry& star) {
  const double x = star.vPos.x, y = star.vPos.y, z = star.vPos.z;
  const double r = std::sqrt(x * x + y * y + z * z);
  double l = std::atan2(-x, z) * kDegreesPerRadian;
  if (l < 0.0) l += 360.0;
  return {l, std::asin(y / r) * kDegreesPerRadian, r / kLightYearsPerParsec};
}

// Angle between two directions on the sky, degrees.
double Separation(double l1, double b1, double l2, double b2) {
  const double d = 1.0 / kDegreesPerRadian;
  const double c =
      std::sin(b1 * d) * std::sin(b2 * d) + std::cos(b1 * d) * std::cos(b2 * d) * std::cos((l1 - l2) * d);
  return std::acos(std::min(1.0, c)) * kDegreesPerRadian;
}

struct Expected {
  const char* name;
  double l, b, parsecs;
};

void ExpectPlaces(const LoadedMap& map, std::initializer_list<Expected> stars) {
  ASSERT_EQ(static_cast<size_t>(map.catalog.m_nStars), stars.size());
  size_t i = 0;
  for (const Expected& expected : stars) {
    const StarEntry& star = map.catalog.m_pStars[i++];
    EXPECT_STREQ(star.szName, expected.name);
    const Galactic place = FromMap(star);
    EXPECT_LT(Separation(place.l, place.b, expected.l, expected.b), 0.05) << expected.name;
    EXPECT_NEAR(place.parsecs, expected.parsecs, expected.parsecs * 0.001) << expected.name;
  }
}

MakeMapOptions Options(const std::string& input, const std::string& output) {
  MakeMapOptions options;
  options.inputs = {input};
  options.output = output;
  return options;
}

void WriteGzip(const std::string& path, const std::string& text) {
  gzFile file = gzopen(path.c_str(), "wb");
  gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
  gzclose(file);
}

// Real rows of the published AT-HYG file (athyg_40.csv.gz, astronexus,
// codeberg.org/astronexus/athyg; CC BY-SA 4.0): the Sun and TYC 4669-731-1.
// The expected galactic place of TYC 4669-731-1 is its row's ra (hours) and
// dec turned into l, b with the Hipparcos catalogue's north galactic pole
// (ESA 1997, vol. 1, 1.5.3: RA 192.85948, Dec 27.12825, l of the pole 122.93192).
TEST(Import, AtHygRowsEndAtTheirGalacticPlaces) {
  const std::string rows =
      std::string(kAtHygHeader) +
      "1,,,0,,,,,,,,Sol,0.0,0.0,OTHER,4.85e-06,4.85e-06,0.0,0.0,OTHER,-26.74,4.831,,OTHER,0.0,OTHER,0.0,0.0,"
      "OTHER,0.0,0.0,0.0,G2 V,OTHER\n"
      "2,4669-731-1,2443095153084654208,,,224701,,,,,Psc,,2.263e-05,-5.49436227,T,509.1956,506.8562,0.003,"
      "-48.7544,G_R3,9.239,0.705,1.117,T,-17.371,G_R3,22.5,-11.3,G_R3,-19.9,54.31,-25.49,G8 IV,T\n";
  TempDirectory dir("import-athyg");
  for (const bool gzip : {false, true}) {
    const std::string input = dir.File(gzip ? "athyg.csv.gz" : "athyg.csv");
    if (gzip) {
      WriteGzip(input, rows);
    } else {
      dir.Write("athyg.csv", rows);
    }
    std::string log;
    ASSERT_EQ(RunMakeMap(Options(input, dir.File("map.smp")), &log), kExitSuccess) << log;
    LoadedMap map;
    LoadMap(dir.File("map.smp"), &map);
    ASSERT_EQ(map.catalog.m_nStars, 2);
    const StarEntry* stars = map.catalog.m_pStars;
    EXPECT_STREQ(stars[0].szName, "Sol");
    EXPECT_STREQ(stars[0].szTag, "G2 V");
    EXPECT_EQ(stars[1].nCatalogNumber, 2);  // no HIP number: the row id
    EXPECT_STREQ(stars[1].szTag, "G8 IV");
    EXPECT_EQ(stars[1].dAbsMagnitude, 705000 * 1e-6);
    const Galactic place = FromMap(stars[1]);
    EXPECT_LT(Separation(place.l, place.b, 91.13161, -65.14036), 0.05);
    EXPECT_NEAR(place.parsecs, 509.1956, 509.1956 * 0.001);
  }
}

// Gaia DR3 rows (gaiadr3.gaia_source, as quoted in the stars' Wikipedia
// articles, which cite Gaia DR3): Proxima Centauri at the archive's epoch
// 2016.0, Barnard's Star propagated to J2000. G and BP-RP are rounded.
// Expected places: SIMBAD's galactic coordinates (J2000) and 1000 / parallax.
constexpr const char* kGaiaCsv =
    "solution_id,designation,source_id,ra,dec,parallax,parallax_over_error,phot_g_mean_mag,bp_rp\n"
    "1636148068921376768,Gaia DR3 5853498713190525696,5853498713190525696,217.39232147200883,"
    "-62.67607511676666,768.0665391873573,15380.1,8.98,3.80\n"
    "1636148068921376768,Gaia DR3 4472832130942575872,4472832130942575872,269.452076958,4.693364972,"
    "546.9759,13640.3,8.19,2.83\n";

void ExpectGaiaStars(const std::string& mapPath) {
  LoadedMap map;
  LoadMap(mapPath, &map);
  ExpectPlaces(map, {{"Gaia DR3 5853498713190525696", 313.9399, -1.9271, 1000.0 / 768.0665391873573},
                     {"Gaia DR3 4472832130942575872", 31.0087, 14.0627, 1000.0 / 546.9759}});
  EXPECT_EQ(map.catalog.m_pStars[0].nCatalogNumber, 1);
  EXPECT_EQ(map.catalog.m_pStars[1].nCatalogNumber, 2);
}

TEST(Import, GaiaCsvAndEcsvRowsEndAtTheirGalacticPlaces) {
  const std::string ecsv =
      "# %ECSV 1.0\n# ---\n# delimiter: ','\n# datatype:\n# - {name: solution_id, datatype: int64}\n" +
      std::string(kGaiaCsv);
  TempDirectory dir("import-gaia");
  for (const auto& [name, text] :
       {std::pair{"gaia.csv", std::string(kGaiaCsv)}, std::pair{"gaia.ecsv", ecsv}}) {
    std::string log;
    ASSERT_EQ(RunMakeMap(Options(dir.Write(name, text), dir.File("map.smp")), &log), kExitSuccess) << log;
    ExpectGaiaStars(dir.File("map.smp"));
  }
}

TEST(Import, GaiaFitsTableReadsLikeTheCsv) {
  TempDirectory dir("import-fits");
  GaiaTableBlock block;
  block.sourceId = {5853498713190525696LL, 4472832130942575872LL};
  block.designation = {"Gaia DR3 5853498713190525696", "Gaia DR3 4472832130942575872"};
  block.ra = {217.39232147200883, 269.452076958};
  block.dec = {-62.67607511676666, 4.693364972};
  block.parallax = {768.0665391873573, 546.9759};
  block.parallaxOverError = {15380.1, 13640.3};
  block.gMag = {8.98, 8.19};
  block.bpRp = {3.80, 2.83};
  GaiaFitsTable table(dir.File("gaia.fits"));
  table.Append(block);
  ASSERT_TRUE(table.Close());
  std::string log;
  ASSERT_EQ(RunMakeMap(Options(dir.File("gaia.fits"), dir.File("map.smp")), &log), kExitSuccess) << log;
  ExpectGaiaStars(dir.File("map.smp"));
}

// Published Johnson V: Proxima Centauri 11.13, Barnard's Star 9.511. The
// relation's scatter for red dwarfs is about 0.1 magnitude.
TEST(Import, GaiaGBecomesVisualMagnitudeThroughTheColour) {
  EXPECT_NEAR(GaiaVMagnitude(8.98, 3.80), 11.13, 0.2);
  EXPECT_NEAR(GaiaVMagnitude(8.19, 2.83), 9.511, 0.2);
  EXPECT_EQ(GaiaVMagnitude(8.19, std::nullopt), 8.19);
  EXPECT_EQ(GaiaVMagnitude(8.19, 7.0), GaiaVMagnitude(8.19, 5.0));  // clamped to the fitted range
}

TEST(Import, EverySkipReasonIsCounted) {
  TempDirectory dir("import-skips");
  const std::string gaia =
      "source_id,ra,dec,parallax,parallax_error,phot_g_mean_mag,bp_rp\n"
      "1,10,10,,0.1,12,1\n"      // null parallax
      "2,10,10,0,0.1,12,1\n"     // zero
      "3,10,10,-1.5,0.1,12,1\n"  // negative
      "4,10,10,2,0.5,12,1\n"     // parallax over error 4 < 5
      "5,10,10,2,,12,1\n"        // error unknown
      "6,10,10,2,0.1,,1\n"       // no G
      "7,10,10,2,0.1,12,null\n"  // kept: G stands for V
      "8,10,10,2,0.1,12,1\n";    // kept
  MakeMapSummary summary;
  std::string log;
  ASSERT_EQ(RunMakeMap(Options(dir.Write("gaia.csv", gaia), dir.File("map.smp")), &log, &summary),
            kExitSuccess)
      << log;
  EXPECT_EQ(summary.rowsRead, 8u);
  EXPECT_EQ(summary.parallaxNotPositive, 3u);
  EXPECT_EQ(summary.parallaxQuality, 2u);
  EXPECT_EQ(summary.noGMagnitude, 1u);
  EXPECT_EQ(summary.starsWritten, 2u);
  EXPECT_NE(log.find("3 left out: parallax null, zero or negative"), std::string::npos) << log;
  EXPECT_NE(log.find("2 left out: parallax over error below 5 or not known"), std::string::npos) << log;

  MakeMapOptions lenient = Options(dir.File("gaia.csv"), dir.File("map.smp"));
  lenient.gaia.minParallaxOverError = 3.0;
  ASSERT_EQ(RunMakeMap(lenient, &log, &summary), kExitSuccess) << log;
  EXPECT_EQ(summary.parallaxQuality, 1u);

  const std::string athyg = std::string(kAtHygHeader) +
                            "3,,,,,,,,,,,,1.0,2.0,T,,,,,,9.0,,,T,,,,,,,,,,\n"              // no position
                            "4,,,,,,,,,,,,1.0,2.0,T,100000,1,1,1,,9.0,1.0,,T,,,,,,,,,,\n"  // unknown
                            "5,,,,,,,,,,,,1.0,2.0,T,10,5,5,5,,9.0,,,T,,,,,,,,,,\n";        // no absmag
  ASSERT_EQ(RunMakeMap(Options(dir.Write("athyg.csv", athyg), dir.File("map.smp")), &log, &summary),
            kExitSuccess)
      << log;
  EXPECT_EQ(summary.noDistance, 2u);
  EXPECT_EQ(summary.noAbsoluteMagnitude, 1u);
  EXPECT_NE(log.find("2 left out: no usable distance"), std::string::npos) << log;
}

TEST(Import, LimitKeepsTheFirstNearestOrBrightest) {
  TempDirectory dir("import-keep");
  // Parallaxes 10, 50, 20, 40 mas: 100, 20, 50, 25 parsecs; G gives the order
  // of brightness 3, 1, 4, 2 (absolute magnitudes 5, 8.5, 6.5, 7.5 - ...).
  const std::string gaia =
      "source_id,ra,dec,parallax,phot_g_mean_mag\n"
      "11,0,0,10,5\n"
      "22,0,0,50,12\n"
      "33,0,0,20,6\n"
      "44,0,0,40,14\n";
  const std::string input = dir.Write("gaia.csv", gaia);
  const struct {
    const char* name;
    KeepRule keep;
    std::vector<std::string> expected;
  } rows[] = {
      {"first", KeepRule::First, {"Gaia DR3 11", "Gaia DR3 22"}},
      {"nearest", KeepRule::Nearest, {"Gaia DR3 22", "Gaia DR3 44"}},
      {"brightest", KeepRule::Brightest, {"Gaia DR3 11", "Gaia DR3 33"}},
  };
  for (const auto& row : rows) {
    MakeMapOptions options = Options(input, dir.File("map.smp"));
    options.limit = 2;
    options.keep = row.keep;
    MakeMapSummary summary;
    std::string log;
    ASSERT_EQ(RunMakeMap(options, &log, &summary), kExitSuccess) << row.name << log;
    LoadedMap map;
    LoadMap(dir.File("map.smp"), &map);
    std::vector<std::string> names;
    for (int32_t i = 0; i < map.catalog.m_nStars; ++i) names.push_back(map.catalog.m_pStars[i].szName);
    EXPECT_EQ(names, row.expected) << row.name;
    EXPECT_EQ(map.catalog.m_pStars[map.catalog.m_nStars - 1].nCatalogNumber, 2) << row.name;
    EXPECT_EQ(summary.rowsRead, row.keep == KeepRule::First ? 2u : 4u) << row.name;
    EXPECT_EQ(summary.notKept, row.keep == KeepRule::First ? 0u : 2u) << row.name;
  }
}

TEST(Import, MalformedGaiaInputNamesFileRowAndColumn) {
  TempDirectory dir("import-bad");
  const std::string header = "source_id,ra,dec,parallax,phot_g_mean_mag\n";
  const struct {
    const char* name;
    std::string text;
    std::string expected;
  } rows[] = {
      {"text in parallax", header + "1,0,0,2,9\n2,0,0,abc,9\n",
       "gaia.csv:3: column 'parallax': 'abc' is not a number"},
      {"null ra", header + "1,,0,2,9\n", "gaia.csv:2: column 'ra': '' is not a number"},
      {"missing column", "source_id,ra,dec,parallax\n", "gaia.csv:1: no column named 'phot_g_mean_mag'"},
      {"short row", header + "1,0,0\n", "gaia.csv:2: 3 fields where the header has 5"},
  };
  for (const auto& row : rows) {
    std::string log;
    EXPECT_EQ(RunMakeMap(Options(dir.Write("gaia.csv", row.text), dir.File("map.smp")), &log), kExitBadInput)
        << row.name;
    EXPECT_NE(log.find(row.expected), std::string::npos) << row.name << ": " << log;
    EXPECT_FALSE(std::filesystem::exists(dir.File("map.smp"))) << row.name;
    EXPECT_FALSE(std::filesystem::exists(dir.File("map.smp.tmp"))) << row.name;
  }
}

TEST(Import, MalformedFitsTableNamesFileAndColumn) {
  TempDirectory dir("import-bad-fits");
  GaiaTableBlock block;
  block.sourceId = {1, 2};
  block.designation = {"Gaia DR3 1", "Gaia DR3 2"};
  block.ra = {1.0, std::nan("")};
  block.dec = {1.0, 1.0};
  block.parallax = {2.0, 2.0};
  block.parallaxOverError = {10.0, 10.0};
  block.gMag = {9.0, 9.0};
  block.bpRp = {1.0, 1.0};
  const struct {
    const char* name;
    std::string drop, text, expected;
  } rows[] = {
      {"missing column", "parallax", "", "no column named 'parallax' in the FITS table"},
      {"text column", "", "dec", "column 'dec' of the FITS table is text, not a number"},
      {"null ra", "", "", "gaia.fits: FITS row 2: column 'ra': null"},
  };
  for (const auto& row : rows) {
    {
      GaiaFitsTable table(dir.File("gaia.fits"), row.drop, row.text);
      table.Append(block);
      ASSERT_TRUE(table.Close()) << row.name;
    }
    std::string log;
    EXPECT_EQ(RunMakeMap(Options(dir.File("gaia.fits"), dir.File("map.smp")), &log), kExitBadInput)
        << row.name;
    EXPECT_NE(log.find(row.expected), std::string::npos) << row.name << ": " << log;
    EXPECT_FALSE(std::filesystem::exists(dir.File("map.smp"))) << row.name;
  }
}

}  // namespace
