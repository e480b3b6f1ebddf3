// The two executables end to end: options, exit codes, and the round trip
// mkmap -> mapinfo --csv -> mkmap --frame map.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>

#include "ToolsTestSupport.h"

namespace {

// Runs a command line through the shell and returns its exit status.
int RunCommand(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::string kMkmap = VANTARO_MKMAP;
const std::string kMapinfo = VANTARO_MAPINFO;

const std::string kStars =
    std::string(kCatalogHeader) +
    "28952,32349,48915,Sirius,BD-16 1591,0,0,2.6,-1.45,1.444,A1V+DA,-0.494331,2.476774,"
    "-0.758498,379.21,1.58,hip\n"
    "92020,104214,201091,,BD+38 4343,0,0,3.5,5.20,7.481,K5V,1.985718,-1.869590,2.188919,"
    "285.95,0.1008,hip\n";

TEST(CommandLine, RoundTripThroughTheExecutablesGivesTheSameBytes) {
  TempDirectory dir("cli-round-trip");
  const std::string input = dir.Write("stars.csv", kStars);
  ASSERT_EQ(RunCommand(kMkmap + " --encoding=complemented --frame equatorial -o " + dir.File("a.smp") + " " +
                       input + " 2>" + dir.File("log")),
            0);
  EXPECT_NE(ReadBytes(dir.File("log")).find("wrote 2 stars"), std::string::npos);
  ASSERT_EQ(RunCommand(kMapinfo + " --csv " + dir.File("a.smp") + " >" + dir.File("a.csv")), 0);
  ASSERT_EQ(RunCommand(kMkmap + " --frame map --encoding complemented -o " + dir.File("b.smp") + " " +
                       dir.File("a.csv") + " 2>/dev/null"),
            0);
  EXPECT_EQ(ReadBytes(dir.File("a.smp")), ReadBytes(dir.File("b.smp")));

  ASSERT_EQ(RunCommand(kMapinfo + " --near 'BD+38 4343' --radius 20 " + dir.File("a.smp") + " >" +
                       dir.File("near")),
            0);
  EXPECT_EQ(ReadBytes(dir.File("near")).find("B+38\u00b04343 [104214] at "), 0u);
  EXPECT_EQ(RunCommand(kMapinfo + " --find Vega " + dir.File("a.smp") + " 2>/dev/null"), 1);
}

TEST(CommandLine, ExitCodes) {
  TempDirectory dir("cli-exit");
  const std::string good = dir.Write("good.csv", kStars);
  const std::string bad = dir.Write("bad.csv", kStars + "1,2,3\n");
  const std::string broken = dir.Write("broken.smp", "starmap\x03");
  const struct {
    const char* name;
    std::string command;
    int status;
  } rows[] = {
      {"help", kMkmap + " --help", 0},
      {"malformed line", kMkmap + " -o " + dir.File("x.smp") + " " + bad, 2},
      {"no input", kMkmap, 1},
      {"unknown frame", kMkmap + " --frame ecliptic " + good, 1},
      {"unknown option", kMkmap + " --fast " + good, 1},
      {"missing value", kMkmap + " " + good + " --limit", 1},
      {"bad limit", kMkmap + " --limit -1 " + good, 1},
      {"mapinfo help", kMapinfo + " --help", 0},
      {"mapinfo rejected map", kMapinfo + " " + broken, 2},
      {"mapinfo missing map", kMapinfo + " " + dir.File("none.smp"), 1},
      {"mapinfo two maps", kMapinfo + " a.smp b.smp", 1},
  };
  for (const auto& row : rows)
    EXPECT_EQ(RunCommand(row.command + " >/dev/null 2>" + dir.File("err")), row.status) << row.name;

  RunCommand(kMkmap + " -o " + dir.File("x.smp") + " " + bad + " 2>" + dir.File("err"));
  EXPECT_EQ(ReadBytes(dir.File("err")), "vantaro-mkmap: " + bad + ":4: 3 fields where the header has 17\n");
  RunCommand(kMapinfo + " " + broken + " 2>" + dir.File("err"));
  EXPECT_EQ(ReadBytes(dir.File("err")),
            "vantaro-mapinfo: " + broken +
                ": wrong header: format version 3 (byte offset 7), version 2 expected\n");
}

}  // namespace
