// Gaia tables as astropy and the archive write them (tests/tools/fixtures,
// made by make-gaia-fixtures.py): every format gives the same stars, within
// the millionth a float32 written as text or as binary may round to; the
// Bailer-Jones distances are chosen and reported; the BP-RP colour gives the
// tag; and malformed VOTables are refused naming file, row and column.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <type_traits>

#include "MainSequenceColours.h"
#include "StarSource.h"
#include "ToolsTestSupport.h"

namespace {

const std::string kFixtures = VANTARO_FIXTURES_DIR;

const char* const kFormats[] = {
    "gaia-tabledata.vot",
    "gaia-binary.vot",
    "gaia-binary2.vot",
    "gaia-binary2.vot.gz",
    "gaia-unicode-binary.vot",
    "gaia-space.ecsv",
    "gaia-comma.ecsv",
    "gaia.csv",
    "gaia.fits",
    "gaia.fits.gz",
};

MakeMapOptions Options(const std::string& input, const std::string& output) {
  MakeMapOptions options;
  options.inputs = {input};
  options.output = output;
  return options;
}

bool Near(double a, double b) { return std::abs(a - b) <= 1e-6 * std::max(1.0, std::abs(b)) + 1e-6; }

TEST(GaiaFormats, EveryFormatGivesTheSameStars) {
  TempDirectory dir("gaia-formats");
  LoadedMap reference;
  ASSERT_EQ(RunMakeMap(Options(kFixtures + "/gaia-binary2.vot", dir.File("reference.smp"))), kExitSuccess);
  LoadMap(dir.File("reference.smp"), &reference);
  ASSERT_EQ(reference.catalog.m_nStars, 3);
  const StarEntry* expected = reference.catalog.m_pStars;
  EXPECT_STREQ(expected[0].szName, "Gaia DR3 5853498713190525696");
  EXPECT_STREQ(expected[0].szTag, "~M5.5V");  // Proxima Centauri, M5.5Ve
  EXPECT_STREQ(expected[1].szTag, "~M3.5V");  // Barnard's Star, M4V
  EXPECT_STREQ(expected[2].szTag, "");        // no BP-RP, no class
  // Distances: r_med_photogeo, and r_med_geo where the row has no photogeo one.
  const double parsecs[] = {1.3011, 1.8281, 396.5};
  for (int i = 0; i < 3; ++i) {
    const Vector3D& p = expected[i].vPos;
    EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z) / kLightYearsPerParsec, parsecs[i],
                parsecs[i] * 1e-6)
        << i;
  }

  for (const char* format : kFormats) {
    std::string log;
    MakeMapSummary summary;
    ASSERT_EQ(RunMakeMap(Options(kFixtures + "/" + format, dir.File("map.smp")), &log, &summary),
              kExitSuccess)
        << format << ": " << log;
    EXPECT_EQ(summary.distances[static_cast<int>(GaiaDistance::Photogeo)], 2u) << format;
    EXPECT_EQ(summary.distances[static_cast<int>(GaiaDistance::Geo)], 1u) << format;
    LoadedMap map;
    LoadMap(dir.File("map.smp"), &map);
    ASSERT_EQ(map.catalog.m_nStars, 3) << format;
    for (int i = 0; i < 3; ++i) {
      const StarEntry& star = map.catalog.m_pStars[i];
      EXPECT_EQ(star.nCatalogNumber, expected[i].nCatalogNumber) << format << i;
      EXPECT_STREQ(star.szName, expected[i].szName) << format << i;
      EXPECT_STREQ(star.szTag, expected[i].szTag) << format << i;
      EXPECT_TRUE(Near(star.vPos.x, expected[i].vPos.x)) << format << i << ": " << star.vPos.x;
      EXPECT_TRUE(Near(star.vPos.y, expected[i].vPos.y)) << format << i << ": " << star.vPos.y;
      EXPECT_TRUE(Near(star.vPos.z, expected[i].vPos.z)) << format << i << ": " << star.vPos.z;
      EXPECT_TRUE(Near(star.dAbsMagnitude, expected[i].dAbsMagnitude)) << format << i;
    }
  }
}

TEST(GaiaFormats, FormatIsToldByTheContentNotTheName) {
  TempDirectory dir("gaia-content");
  const struct {
    const char* fixture;
    const char* name;
  } rows[] = {
      {"gaia-binary2.vot", "table.csv"}, {"gaia.fits.gz", "table.vot"}, {"gaia-space.ecsv", "table.fits"}};
  for (const auto& row : rows) {
    std::filesystem::copy_file(kFixtures + "/" + row.fixture, dir.File(row.name),
                               std::filesystem::copy_options::overwrite_existing);
    MakeMapSummary summary;
    std::string log;
    EXPECT_EQ(RunMakeMap(Options(dir.File(row.name), dir.File("map.smp")), &log, &summary), kExitSuccess)
        << row.name << ": " << log;
    EXPECT_EQ(summary.starsWritten, 3u) << row.name;
  }
  for (const std::string& junk :
       {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), std::string("starmap\x02\0\0\x01", 11)}) {
    std::string log;
    EXPECT_EQ(RunMakeMap(Options(dir.Write("junk.dat", junk), dir.File("map.smp")), &log), kExitBadInput);
    EXPECT_EQ(log,
              "vantaro-mkmap: " + dir.File("junk.dat") +
                  ": not a table vantaro-mkmap reads (CSV, ECSV, VOTable or FITS, plain or compressed)\n");
  }
}

TEST(GaiaFormats, DistanceIsChosenAndReported) {
  const std::string input = kFixtures + "/gaia-tabledata.vot";
  const struct {
    const char* name;
    std::optional<GaiaDistance> distance;
    uint64_t photogeo, geo, parallax, leftOut;
    const char* line;
  } rows[] = {
      {"best of each row", std::nullopt, 2, 1, 0, 0,
       "  Gaia distances: 2 from r_med_photogeo, 1 from r_med_geo, 0 from 1000 / parallax\n"},
      {"photogeo", GaiaDistance::Photogeo, 2, 0, 0, 1, "  1 left out: no r_med_photogeo (--distance)\n"},
      {"geo", GaiaDistance::Geo, 0, 3, 0, 0,
       "0 from r_med_photogeo, 3 from r_med_geo, 0 from 1000 / parallax"},
      {"parallax", GaiaDistance::Parallax, 0, 0, 3, 0, "3 from 1000 / parallax"},
  };
  TempDirectory dir("gaia-distance");
  for (const auto& row : rows) {
    MakeMapOptions options = Options(input, dir.File("map.smp"));
    options.gaia.distance = row.distance;
    MakeMapSummary summary;
    std::string log;
    ASSERT_EQ(RunMakeMap(options, &log, &summary), kExitSuccess) << row.name << log;
    EXPECT_EQ(summary.distances[static_cast<int>(GaiaDistance::Photogeo)], row.photogeo) << row.name;
    EXPECT_EQ(summary.distances[static_cast<int>(GaiaDistance::Geo)], row.geo) << row.name;
    EXPECT_EQ(summary.distances[static_cast<int>(GaiaDistance::Parallax)], row.parallax) << row.name;
    EXPECT_EQ(summary.noChosenDistance, row.leftOut) << row.name;
    EXPECT_NE(log.find(row.line), std::string::npos) << row.name << ": " << log;
  }
  // Proxima at 1000 / parallax rather than r_med_photogeo.
  MakeMapOptions options = Options(input, dir.File("map.smp"));
  options.gaia.distance = GaiaDistance::Parallax;
  ASSERT_EQ(RunMakeMap(options), kExitSuccess);
  LoadedMap map;
  LoadMap(dir.File("map.smp"), &map);
  const Vector3D& p = map.catalog.m_pStars[0].vPos;
  EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 1000.0 / 768.0665391873573 * kLightYearsPerParsec,
              2e-6);

  // A table without the chosen column is refused.
  options = Options(dir.Write("plain.csv", "source_id,ra,dec,parallax,phot_g_mean_mag\n1,0,0,10,9\n"),
                    dir.File("map.smp"));
  options.gaia.distance = GaiaDistance::Geo;
  std::string log;
  EXPECT_EQ(RunMakeMap(options, &log), kExitBadInput);
  EXPECT_NE(log.find("plain.csv:1: no column named 'r_med_geo'"), std::string::npos) << log;
  options.gaia.distance.reset();
  EXPECT_EQ(RunMakeMap(options, &log), kExitSuccess) << log;
}

TEST(GaiaFormats, FitsInMemoryIsReadWithinItsBytes) {
  std::string bytes = ReadBytes(kFixtures + "/gaia.fits");
  std::string error;
  int code = kExitSuccess;
  EXPECT_NE(OpenGaiaFitsSource("m.fits", {}, &error, &code, bytes.data(), bytes.size()), nullptr) << error;
  bytes.resize(bytes.size() - 2880);  // the data's last record gone
  EXPECT_EQ(OpenGaiaFitsSource("m.fits", {}, &error, &code, bytes.data(), bytes.size()), nullptr);
  EXPECT_EQ(error, "m.fits: the binary table's rows run past the end of the file");
  EXPECT_EQ(code, kExitBadInput);
}

TEST(MainSequenceColours, ColourGivesTheNearestTypeAndTheEdgesTheirClass) {
  const struct {
    double bpRp;
    const char* tag;
  } rows[] = {
      {-1.0, "~B"},     {-0.1201, "~B"},  {-0.120, "~B9V"}, {-0.11, "~B9V"}, {-0.1, "~B9.5V"},
      {0.0, "~A1V"},    {0.823, "~G2V"},  {1.43, "~K5V"},   {1.47, "~K5V"},  {1.49, "~K6V"},
      {3.80, "~M5.5V"}, {5.10, "~M8.5V"}, {5.1001, "~M"},   {9.0, "~M"},
  };
  for (const auto& row : rows) EXPECT_EQ(MainSequenceTypeOfColour(row.bpRp), row.tag) << row.bpRp;
}

TEST(GaiaFormats, SpectralTypeOfTheTableComesBeforeTheColour) {
  TempDirectory dir("gaia-spect");
  const std::string csv =
      "source_id,ra,dec,parallax,phot_g_mean_mag,bp_rp,spectraltype_esphs\n1,0,0,10,9,1.43,G\n2,0,0,10,9,1."
      "43,\n";
  ASSERT_EQ(RunMakeMap(Options(dir.Write("g.csv", csv), dir.File("map.smp"))), kExitSuccess);
  LoadedMap map;
  LoadMap(dir.File("map.smp"), &map);
  EXPECT_STREQ(map.catalog.m_pStars[0].szTag, "G");
  EXPECT_STREQ(map.catalog.m_pStars[1].szTag, "~K5V");
}

TEST(GaiaFormats, EcsvDelimiterOtherThanSpaceOrCommaIsRefused) {
  TempDirectory dir("gaia-ecsv-delimiter");
  const std::string ecsv = "# %ECSV 1.0\n# ---\n# delimiter: '|'\n# datatype: []\nsource_id|ra\n";
  std::string log;
  EXPECT_EQ(RunMakeMap(Options(dir.Write("t.ecsv", ecsv), dir.File("map.smp")), &log), kExitBadInput);
  EXPECT_NE(log.find("t.ecsv: the ECSV delimiter '|' is neither a space nor a comma"), std::string::npos)
      << log;
}

// A VOTable of the archive's shape around the given fields and data.
std::string Votable(const std::string& fields, const std::string& data) {
  return "<?xml version=\"1.0\"?>\n<VOTABLE version=\"1.4\" xmlns=\"http://www.ivoa.net/xml/VOTable/v1.3\">\n"
         "<RESOURCE type=\"results\"><TABLE>\n" +
         fields + "<DATA>" + data + "</DATA></TABLE></RESOURCE></VOTABLE>\n";
}

const std::string kFields =
    "<FIELD name=\"source_id\" datatype=\"long\"><VALUES null=\"-1\"/></FIELD>\n"
    "<FIELD name=\"ra\" datatype=\"double\"/><FIELD name=\"dec\" datatype=\"double\"/>\n"
    "<FIELD name=\"parallax\" datatype=\"double\"/><FIELD name=\"phot_g_mean_mag\" datatype=\"float\"/>\n";

std::string Rows(const std::string& rows) { return "<TABLEDATA>\n" + rows + "</TABLEDATA>"; }

TEST(GaiaFormats, VotableNullsAndTypes) {
  TempDirectory dir("gaia-vot-values");
  // An empty TD, NaN and the VALUES null are nulls; hexadecimal integers are read.
  const std::string fields =
      kFields + "<FIELD name=\"bp_rp\" datatype=\"float\"><VALUES null=\"99\"/></FIELD>\n";
  const std::string vot =
      Votable(fields, Rows("<TR><TD>0x10</TD><TD>1</TD><TD>2</TD><TD>10</TD><TD>9</TD><TD/></TR>\n"
                           "<TR><TD>2</TD><TD>1</TD><TD>2</TD><TD>10</TD><TD>9</TD><TD>NaN</TD></TR>\n"
                           "<TR><TD>3</TD><TD>1</TD><TD>2</TD><TD>10</TD><TD>9</TD><TD>99</TD></TR>\n"
                           "<TR><TD>4</TD><TD>1</TD><TD>2</TD><TD>10</TD><TD>9</TD><TD>1.43</TD></TR>\n"
                           "<TR><TD>5</TD><TD>1</TD><TD>2</TD><TD></TD><TD>9</TD><TD/></TR>\n"));
  MakeMapSummary summary;
  std::string log;
  ASSERT_EQ(RunMakeMap(Options(dir.Write("t.vot", vot), dir.File("map.smp")), &log, &summary), kExitSuccess)
      << log;
  EXPECT_EQ(summary.parallaxNotPositive, 1u);
  LoadedMap map;
  LoadMap(dir.File("map.smp"), &map);
  ASSERT_EQ(map.catalog.m_nStars, 4);
  EXPECT_STREQ(map.catalog.m_pStars[0].szName, "Gaia DR3 16");
  for (int i = 0; i < 3; ++i) EXPECT_STREQ(map.catalog.m_pStars[i].szTag, "") << i;
  EXPECT_STREQ(map.catalog.m_pStars[3].szTag, "~K5V");
}

std::string Base64(const std::string& bytes) {
  const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t group = 0;
    for (size_t k = 0; k < 3; ++k)
      group = group << 8 | (i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (size_t k = 0; k < 4; ++k)
      out.push_back(i + k <= bytes.size() ? alphabet[(group >> (18 - 6 * k)) & 63] : '=');
  }
  return out;
}

std::string BigEndian(uint64_t bits, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>(bits >> (8 * i)));
  return out;
}

template <typename T>
uint64_t Bits(T value) {
  std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t> bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// BINARY2 rows: the null flags (the first field the highest bit) override the value.
TEST(GaiaFormats, VotableBinary2NullFlags) {
  const std::string fields = kFields + "<FIELD name=\"bp_rp\" datatype=\"float\"/>\n";
  std::string bytes;
  for (const unsigned char flags : {0x04, 0x00}) {
    bytes += static_cast<char>(flags);
    bytes += BigEndian(7, 8) + BigEndian(Bits(1.0), 8) + BigEndian(Bits(2.0), 8) + BigEndian(Bits(10.0), 8);
    bytes += BigEndian(Bits(9.0f), 4) + BigEndian(Bits(1.43f), 4);
  }
  const std::string vot =
      Votable(fields, "<BINARY2><STREAM encoding=\"base64\">\n" + Base64(bytes) + "\n</STREAM></BINARY2>");
  TempDirectory dir("gaia-vot-flags");
  std::string log;
  ASSERT_EQ(RunMakeMap(Options(dir.Write("t.vot", vot), dir.File("map.smp")), &log), kExitSuccess) << log;
  LoadedMap map;
  LoadMap(dir.File("map.smp"), &map);
  ASSERT_EQ(map.catalog.m_nStars, 2);
  EXPECT_STREQ(map.catalog.m_pStars[0].szTag, "");
  EXPECT_STREQ(map.catalog.m_pStars[1].szTag, "~K5V");
  EXPECT_STREQ(map.catalog.m_pStars[1].szName, "Gaia DR3 7");
}

TEST(GaiaFormats, MalformedVotableNamesFileRowAndColumn) {
  const std::string row = "<TR><TD>1</TD><TD>1</TD><TD>2</TD><TD>10</TD><TD>9</TD></TR>\n";
  const struct {
    const char* name;
    std::string text;
    std::string expected;
  } rows[] = {
      {"xml error", "<?xml version=\"1.0\"?>\n<VOTABLE><RESOURCE></VOTABLE>\n", "t.vot:2: mismatched tag"},
      {"not a votable", "<?xml version=\"1.0\"?>\n<html><body/></html>\n",
       "t.vot:2: not a VOTable: the root element is <html>"},
      {"no table", "<?xml version=\"1.0\"?>\n<VOTABLE><RESOURCE/></VOTABLE>\n",
       "t.vot: a VOTable without a TABLE"},
      {"missing column", Votable("<FIELD name=\"source_id\" datatype=\"long\"/>", Rows("")),
       "t.vot: no column named 'ra' in the VOTable's table"},
      {"text where a number belongs",
       Votable("<FIELD name=\"source_id\" datatype=\"long\"/><FIELD name=\"ra\" datatype=\"char\" "
               "arraysize=\"*\"/>",
               Rows("")),
       "t.vot: column 'ra' of the VOTable is text or a flag, not a number"},
      {"array where a number belongs",
       Votable("<FIELD name=\"source_id\" datatype=\"long\"/><FIELD name=\"ra\" datatype=\"double\" "
               "arraysize=\"2\"/>",
               Rows("")),
       "t.vot: column 'ra' of the VOTable holds arrays, not one value a row"},
      {"unknown datatype", Votable("<FIELD name=\"ra\" datatype=\"real\"/>", Rows("")),
       "FIELD 'ra': datatype 'real' is not a VOTable type"},
      {"not a number",
       Votable(kFields, Rows(row + "<TR><TD>2</TD><TD>1</TD><TD>2</TD><TD>abc</TD><TD>9</TD></TR>\n")),
       ": VOTable row 2: column 'parallax': 'abc' is not a number"},
      {"null ra", Votable(kFields, Rows("<TR><TD>1</TD><TD/><TD>2</TD><TD>10</TD><TD>9</TD></TR>\n")),
       "t.vot: VOTable row 1: column 'ra': null"},
      {"null source_id by VALUES",
       Votable(kFields, Rows("<TR><TD>-1</TD><TD>1</TD><TD>2</TD><TD>10</TD><TD>9</TD></TR>\n")),
       "t.vot: VOTable row 1: column 'source_id': null"},
      {"cells missing", Votable(kFields, Rows("<TR><TD>1</TD><TD>1</TD></TR>\n")),
       "VOTable row 1: 2 cells where the table has 5 fields"},
      // One double a row: a flag byte and 8 bytes, 12 base64 characters; 8 are 6 bytes.
      {"stream ends inside a row",
       Votable(kFields, "<BINARY2><STREAM encoding=\"base64\">AAAAAAAA</STREAM></BINARY2>"),
       "VOTable row 1: the STREAM ends inside the row"},
      {"not base64", Votable(kFields, "<BINARY2><STREAM encoding=\"base64\">AA*A</STREAM></BINARY2>"),
       "a STREAM with a character that is not base64"},
      {"external stream", Votable(kFields, "<BINARY><STREAM href=\"http://x/y\"/></BINARY>"),
       "a STREAM that refers to another file, which is not read"},
  };
  TempDirectory dir("gaia-vot-bad");
  for (const auto& row : rows) {
    std::string log;
    EXPECT_EQ(RunMakeMap(Options(dir.Write("t.vot", row.text), dir.File("map.smp")), &log), kExitBadInput)
        << row.name << ": " << log;
    EXPECT_NE(log.find(row.expected), std::string::npos) << row.name << ": " << log;
    EXPECT_FALSE(std::filesystem::exists(dir.File("map.smp"))) << row.name;
    EXPECT_FALSE(std::filesystem::exists(dir.File("map.smp.tmp"))) << row.name;
  }
}

}  // namespace
