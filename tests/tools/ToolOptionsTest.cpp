// The tools' command lines parsed into their options: values, forms, and the
// refusals with their texts.
#include <gtest/gtest.h>

#include "MakeMapCommandLine.h"
#include "MapInfoCommandLine.h"

namespace {

TEST(MakeMapCommandLine, ParsesEveryOption) {
  const MakeMapCommandLine parsed =
      ParseMakeMapCommandLine({"-o", "out.smp", "--frame=equatorial", "--encoding", "complemented",
                               "--max-distance", "100", "--max-absmag=4.5", "--limit", "10", "--keep",
                               "brightest", "--min-parallax-over-error", "10", "a.csv", "b.fits"});
  ASSERT_EQ(parsed.error, "");
  const MakeMapOptions& options = parsed.options;
  EXPECT_EQ(options.inputs, (std::vector<std::string>{"a.csv", "b.fits"}));
  EXPECT_EQ(options.output, "out.smp");
  EXPECT_EQ(options.frame, WorldFrame::Equatorial);
  EXPECT_EQ(options.encoding, kComplementedEncoding);
  EXPECT_EQ(options.maxDistance, 100.0);
  EXPECT_EQ(options.maxAbsMag, 4.5);
  EXPECT_EQ(options.limit, 10u);
  EXPECT_EQ(options.keep, KeepRule::Brightest);
  EXPECT_EQ(options.gaia.minParallaxOverError, 10.0);
}

TEST(MakeMapCommandLine, DefaultsAndHelp) {
  const MakeMapCommandLine parsed = ParseMakeMapCommandLine({"in.csv"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.output, "map.smp");
  EXPECT_EQ(parsed.options.frame, WorldFrame::Galactic);
  EXPECT_EQ(parsed.options.encoding, kPlainEncoding);
  EXPECT_FALSE(parsed.options.limit);
  EXPECT_TRUE(ParseMakeMapCommandLine({"--frame", "nowhere", "--help"}).error != "");
  EXPECT_TRUE(ParseMakeMapCommandLine({"--help", "--frame", "nowhere"}).help);
}

TEST(MakeMapCommandLine, RefusesWithTheReason) {
  const struct {
    std::vector<std::string> args;
    const char* error;
  } rows[] = {
      {{}, "no input file given"},
      {{"--frame", "ecliptic", "a"}, "unknown frame 'ecliptic'"},
      {{"--encoding", "rot13", "a"}, "unknown encoding 'rot13'"},
      {{"--max-distance", "-1", "a"}, "--max-distance needs a distance >= 0"},
      {{"--limit", "16777216", "a"}, "--limit is at most 16777215, the most a map holds"},
      {{"--limit", "1.5", "a"}, "--limit needs a whole number >= 0"},
      {{"--keep", "nearest", "a"}, "--keep needs --limit N"},
      {{"--keep", "faintest", "a"}, "--keep needs nearest or brightest, not 'faintest'"},
      {{"a", "-o"}, "-o needs a value"},
      {{"--colour", "a"}, "unknown option '--colour'"},
  };
  for (const auto& row : rows) EXPECT_EQ(ParseMakeMapCommandLine(row.args).error, row.error) << row.error;
}

TEST(MapInfoCommandLine, ParsesTasksAndRefusals) {
  const MapInfoCommandLine near = ParseMapInfoCommandLine({"--near", "Sol", "--radius=2.5", "x.smp"});
  EXPECT_EQ(near.task, MapInfoTask::Near);
  EXPECT_EQ(near.query, "Sol");
  EXPECT_EQ(near.radius, 2.5);
  EXPECT_EQ(near.path, "x.smp");
  const MapInfoCommandLine plain = ParseMapInfoCommandLine({});
  EXPECT_EQ(plain.task, MapInfoTask::Report);
  EXPECT_EQ(plain.path, "map.smp");
  EXPECT_EQ(ParseMapInfoCommandLine({"--csv"}).task, MapInfoTask::Csv);
  EXPECT_EQ(ParseMapInfoCommandLine({"a", "b"}).error, "more than one map file given");
  EXPECT_EQ(ParseMapInfoCommandLine({"--radius", "-1"}).error, "--radius needs a distance >= 0");
  EXPECT_EQ(ParseMapInfoCommandLine({"--find"}).error, "--find needs a value");
  EXPECT_EQ(ParseMapInfoCommandLine({"-x"}).error, "unknown option '-x'");
}

}  // namespace
