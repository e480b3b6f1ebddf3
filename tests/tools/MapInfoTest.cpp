// vantaro-mapinfo's reports: rejected files, the summary of a good one, the
// CSV listing and its round trip through vantaro-mkmap, and name look-ups.
#include <gtest/gtest.h>

#include <sstream>

#include "ToolsTestSupport.h"
#include "catalog/SkyglassDoc.h"

namespace {

// Stars with every kind of text the map holds: a proper name with a
// diacritic, designations, an empty name, a quoted type, a name with a quote.
const std::string kStars =
    std::string(kCatalogHeader) +
    "0,,,Sol,,0,0,0,0,4.830,G2V,0.000000,0.000000,0.000000,,,sun\n"
    "28952,32349,48915,Sirius,BD-16 1591,0,0,2.6,-1.45,1.444,A1V+DA,-0.494331,2.476774,"
    "-0.758498,379.21,1.58,hip\n"
    "92020,104214,201091,,BD+38 4343,0,0,3.5,5.20,7.481,K5V,1.985718,-1.869590,2.188919,"
    "285.95,0.1008,hip\n"
    "77890,87937,,Barnard's Star,BD+04 3561a,0,0,1.8,9.50,13.192,M4V,-0.017410,-1.820443,"
    "0.149460,547.45,0.2899,hip\n"
    "5,6,,\"Say \"\"Hi\"\"\",,0,0,1,1,-7.263,\"C5,5\",-300.123456,650.000001,-0.000001,,,hip\n"
    "7,,,B\u00e9l\u00e9nos,CP-60 5483,0,0,1,1,19.65,M1-M2Ia-Iab,1e-7,-2e-7,655.5,,,near\n"
    "8,9,,,,0,0,1,1,0.0,,1,1,1,,,hip\n";

std::string Csv(const StarCatalog& catalog) {
  std::ostringstream out;
  WriteStarsCsv(out, catalog);
  return out.str();
}

// Options that turn csv, whose positions are already in the map frame, into
// stars.smp in dir.
MakeMapOptions MapFrameOptions(const TempDirectory& dir, const std::string& csv) {
  MakeMapOptions options;
  options.inputs = {dir.Write("stars.csv", csv)};
  options.output = dir.File("stars.smp");
  options.frame = WorldFrame::Map;
  return options;
}

// Makes the plain-encoded map of csv and loads it.
void MakeAndLoadMap(const TempDirectory& dir, const std::string& csv, LoadedMap* map) {
  const MakeMapOptions options = MapFrameOptions(dir, csv);
  ASSERT_EQ(RunMakeMap(options), kExitSuccess);
  LoadMap(options.output, map);
}

TEST(MapInfo, CsvReadsBackToTheSameMapBytes) {
  for (const MapEncoding encoding : {kPlainEncoding, kComplementedEncoding}) {
    for (const WorldFrame frame : {WorldFrame::Galactic, WorldFrame::Equatorial}) {
      TempDirectory dir("round-trip");
      MakeMapOptions first;
      first.inputs = {dir.Write("stars.csv", kStars)};
      first.output = dir.File("first.smp");
      first.frame = frame;
      first.encoding = encoding;
      ASSERT_EQ(RunMakeMap(first), kExitSuccess);

      LoadedMap map;
      LoadMap(first.output, &map);
      MakeMapOptions second = first;
      second.inputs = {dir.Write("listed.csv", Csv(map.catalog))};
      second.output = dir.File("second.smp");
      second.frame = WorldFrame::Map;
      std::string log;
      ASSERT_EQ(RunMakeMap(second, &log), kExitSuccess) << log;
      EXPECT_EQ(ReadBytes(second.output), ReadBytes(first.output))
          << encoding.name << " " << WorldFrameName(frame);
    }
  }
}

TEST(MapInfo, CsvListsNamesInUtf8AndPositionsInParsecs) {
  TempDirectory dir("csv");
  LoadedMap map;
  ASSERT_NO_FATAL_FAILURE(MakeAndLoadMap(dir, kStars, &map));
  // Positions come back in parsecs to 9 decimals, magnitudes to 6.
  EXPECT_EQ(Csv(map.catalog),
            "id,hip,proper,spect,x,y,z,absmag\n"
            "0,0,Sol,G2V,0,0,0,4.83\n"
            "1,32349,Sirius,A1V+DA,-0.494330934,2.476773998,-0.758498081,1.444\n"
            "2,104214,B+38\u00b04343,K5V,1.985717877,-1.869590012,2.188919106,7.481\n"
            "3,87937,Barnard's Star,M4V,-0.017410074,-1.820442978,0.149460074,13.192\n"
            "4,6,\"Say \"\"Hi\"\"\",\"C5,5\",-300.123455954,650.00000092,-0.00000092,-7.263\n"
            "5,7,B\u00e9l\u00e9nos,M1-M2Ia-I,0,-0.000000307,655.5,19.65\n"
            "6,9,,,1,1,1,0\n");
}

TEST(MapInfo, RejectedFilesGetTheProgramsReason) {
  std::string good;
  {
    MapStar star;
    star.name = "Vega";
    const auto header = EncodeMapHeader(2, kPlainEncoding);
    good.assign(header.begin(), header.end());
    AppendMapRecord(good, star, kPlainEncoding);
    AppendMapRecord(good, star, kPlainEncoding);
  }
  const auto changed = [&](size_t offset, char value) {
    std::string bytes = good;
    bytes[offset] = value;
    return bytes;
  };
  const struct {
    const char* name;
    std::string bytes;
  } rows[] = {
      {"empty", ""},
      {"magic", changed(3, 'R')},
      {"version", changed(7, 3)},
      {"byte 8", changed(8, 1)},
      {"short header", good.substr(0, 12)},
      {"count too large", changed(12, 3)},
      {"unterminated name", good.substr(0, good.size() - 1)},
  };
  // The same words as the program's own document gives for the same file.
  TempDirectory dir("rejected");
  for (const auto& row : rows) {
    const std::string path = dir.Write("bad.smp", row.bytes);
    LoadedMap map;
    ASSERT_TRUE(LoadMapFile(path, &map)) << row.name;
    EXPECT_EQ(map.loaded, 0) << row.name;
    std::ostringstream out;
    WriteRejection(out, map);
    CSkyglassDoc document(path);
    document.OnNewDocument();
    EXPECT_EQ(out.str(), document.MapFailure() + "\n") << row.name;
  }
  LoadedMap missing;
  EXPECT_FALSE(LoadMapFile(dir.File("missing.smp"), &missing));
  std::ostringstream out;
  WriteRejection(out, missing);
  EXPECT_EQ(out.str(), dir.File("missing.smp") + ": cannot open the file: No such file or directory\n");
}

TEST(MapInfo, ReportSummarisesTheMap) {
  TempDirectory dir("report");
  MakeMapOptions options = MapFrameOptions(dir, kStars);
  options.encoding = kComplementedEncoding;
  ASSERT_EQ(RunMakeMap(options), kExitSuccess);
  const std::string bytes = ReadBytes(options.output);
  dir.Write("stars.smp", bytes + "extra");  // bytes after the last record are ignored

  LoadedMap map;
  LoadMap(options.output, &map);
  std::ostringstream out;
  WriteReport(out, map);
  const std::string report = out.str();
  const auto contains = [&](const std::string& text) {
    EXPECT_NE(report.find(text), std::string::npos) << "missing: " << text << "\n" << report;
  };
  contains("encoding:            complemented\n");
  contains("stars:               7\n");
  contains("file size:           " + std::to_string(bytes.size() + 5) + " bytes\n");
  contains("after last record:   5 bytes\n");
  contains("absolute magnitude:       -7.263000 to 19.650000\n");
  contains("names:               6 of 7 stars\n");
  contains("designations:        1 by the label test (second character + or -), 1 by the dialog test");
  // Sol at the origin is not drawn; the star at (1, 1, 1) pc is the nearest and brightest.
  contains(
      "nearest stars seen from the origin (stars nearer than 0.01 ly are not drawn):\n"
      "        5.649188 ly  m  -3.806  (no name) [9]\n"
      "        5.957732 ly  m   9.501  Barnard's Star [87937]\n");
  contains(
      "brightest stars seen from the origin:\n"
      "        5.649188 ly  m  -3.806  (no name) [9]\n"
      "        8.600933 ly  m  -1.449  Sirius [32349]\n");
  EXPECT_EQ(report.find("Sol ["), std::string::npos);
}

TEST(MapInfo, NearListsNeighboursNearestFirst) {
  TempDirectory dir("near");
  const std::string csv = std::string(kCatalogHeader) +
                          "1,1,,Alpha,,0,0,0,0,1,,0,0,0,,,hip\n"
                          "2,2,,Beta,,0,0,0,0,1,,0,0,2,,,hip\n"        // 2 pc from Alpha
                          "3,3,,Alpha Two,,0,0,0,0,1,,0,1,0,,,hip\n"   // 1 pc from Alpha
                          "4,4,,,BD+38 4343,0,0,0,0,1,,3,0,0,,,hip\n"  // 3 pc
                          "5,5,,Far,,0,0,0,0,1,,0,0,100,,,hip\n";
  LoadedMap map;
  ASSERT_NO_FATAL_FAILURE(MakeAndLoadMap(dir, csv, &map));

  std::ostringstream near;
  EXPECT_TRUE(WriteNearStars(near, map.catalog, NameQuery("Alp"), 10.0));
  EXPECT_EQ(near.str(),
            "Alpha [1] at (0.000000, 0.000000, 0.000000) ly: 3 stars within 10 ly\n"
            "      3.261560 ly  Alpha Two [3]\n"
            "      6.523120 ly  Beta [2]\n"
            "      9.784680 ly  B+38\u00b04343 [4]\n");
  std::ostringstream byDesignation;
  EXPECT_TRUE(WriteNearStars(byDesignation, map.catalog, NameQuery("BD+38 4343"), 3.3));
  EXPECT_EQ(byDesignation.str().find("B+38\u00b04343 [4] at "), 0u);
  std::ostringstream none;
  EXPECT_FALSE(WriteNearStars(none, map.catalog, NameQuery("Gamma"), 10.0));

  std::ostringstream found;
  EXPECT_TRUE(WriteFoundStars(found, map.catalog, NameQuery("Alpha")));
  const std::string lines = found.str();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2);
  EXPECT_EQ(lines.find("Alpha [1]"), 0u);
  EXPECT_NE(lines.find("\nAlpha Two [3]"), std::string::npos);
  EXPECT_FALSE(WriteFoundStars(found, map.catalog, NameQuery("alpha")));  // case-sensitive
}

TEST(MapInfo, NameQueryUsesTheMapsText) {
  EXPECT_EQ(NameQuery("BD+38 4343"),
            "B+38\xB0"
            "4343");
  EXPECT_EQ(NameQuery("B+38\u00b04343"),
            "B+38\xB0"
            "4343");
  EXPECT_EQ(NameQuery("B\u00e9l"), "B\xE9l");
  EXPECT_EQ(NameQuery("BD+38"), "BD+38");
}

}  // namespace
