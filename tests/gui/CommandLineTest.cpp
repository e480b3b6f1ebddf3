// The command line and the render options' values: accepted forms, the
// label nesting, and an error naming the option for every bad value.
#include <gtest/gtest.h>

#include "shell/CommandLine.h"

namespace {

CommandLineResult Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

}  // namespace

TEST(AppCommandLine, ModesAndFiles) {
  EXPECT_EQ(Parse({}).commandLine.mode, RunMode::Window);
  EXPECT_EQ(Parse({"--help"}).commandLine.mode, RunMode::Help);
  EXPECT_EQ(Parse({"-h"}).commandLine.mode, RunMode::Help);
  EXPECT_EQ(Parse({"--version"}).commandLine.mode, RunMode::Version);
  EXPECT_EQ(VersionText(), "Vantaro 1.0.0\n");

  const CommandLine window = Parse({"--map", "stars.smp", "notes.txt"}).commandLine;
  EXPECT_EQ(window.mode, RunMode::Window);
  EXPECT_EQ(window.mapPath, "stars.smp");
  EXPECT_EQ(window.documentFile, "notes.txt");
  EXPECT_EQ(Parse({"--", "--odd-name"}).commandLine.documentFile, "--odd-name");
}

TEST(AppCommandLine, RenderOptionsAreParsed) {
  const CommandLineResult result = Parse({"--render=out.png", "--size", "320x200", "--position", "1.5,-2,3e1",
                                          "--view=90,-45", "--zoom", "2.5", "--no-magnitudes", "--colours"});
  ASSERT_EQ(result.error, "");
  const RenderOptions& render = result.commandLine.render;
  EXPECT_EQ(result.commandLine.mode, RunMode::Render);
  EXPECT_EQ(render.outputPath, "out.png");
  EXPECT_EQ(render.width, 320);
  EXPECT_EQ(render.height, 200);
  EXPECT_EQ(render.positionX, 1.5);
  EXPECT_EQ(render.positionY, -2.0);
  EXPECT_EQ(render.positionZ, 30.0);
  EXPECT_EQ(render.viewU, 90.0);
  EXPECT_EQ(render.viewV, -45.0);
  EXPECT_EQ(render.zoom, 2.5);
  EXPECT_EQ(render.display.magnitudeDrawing, 0);
  EXPECT_EQ(render.display.colours, 1);

  const NavigationScript named =
      Parse({"--render", "a.png", "--travel-to", "Rigil Kentaurus", "--look-at=Sol"})
          .commandLine.render.navigation;
  EXPECT_EQ(named.travelTo + "|" + named.lookAt, "Rigil Kentaurus|Sol");

  const RenderOptions overlays =
      Parse({"--render", "a.png", "--constellations", "--grid", "--select", "Vega"}).commandLine.render;
  EXPECT_EQ(overlays.display.figures, 1);
  EXPECT_EQ(overlays.display.grid, 1);
  EXPECT_EQ(overlays.navigation.select, "Vega");

  const RenderOptions defaults = Parse({"--render", "a.png"}).commandLine.render;
  EXPECT_EQ(defaults.width, 640);
  EXPECT_EQ(defaults.height, 480);
  EXPECT_EQ(defaults.zoom, 1.0);
  EXPECT_EQ(defaults.display.magnitudeDrawing, 1);
  EXPECT_EQ(defaults.display.colours, 0);
  EXPECT_EQ(defaults.display.figures, 0);
  EXPECT_EQ(defaults.display.grid, 0);
  EXPECT_EQ(defaults.navigation.select, "");
}

TEST(AppCommandLine, LabelsNest) {
  struct Row {
    const char* list;
    int names, smallNames, designations, distances;
  } rows[] = {
      {"names", 1, 0, 0, 0},     {"small-names", 1, 1, 0, 0},           {"designations", 1, 1, 1, 0},
      {"distances", 0, 0, 0, 1}, {"distances,small-names", 1, 1, 0, 1},
  };
  for (const Row& row : rows) {
    const CommandLineResult result = Parse({"--render", "a.png", "--labels", row.list});
    ASSERT_EQ(result.error, "") << row.list;
    const RenderOptions& r = result.commandLine.render;
    EXPECT_EQ(r.display.names, row.names) << row.list;
    EXPECT_EQ(r.display.smallNames, row.smallNames) << row.list;
    EXPECT_EQ(r.display.durchmusterung, row.designations) << row.list;
    EXPECT_EQ(r.display.distances, row.distances) << row.list;
  }
}

TEST(AppCommandLine, BadInputNamesTheProblem) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* expectedInError;
  } rows[] = {
      {"odd width", {"--render", "a.png", "--size", "641x480"}, "--size: the width must be even"},
      {"zero height", {"--render", "a.png", "--size", "640x0"}, "--size: width and height must be positive"},
      {"too large", {"--render", "a.png", "--size", "8194x10"}, "at most 8192"},
      {"no cross", {"--render", "a.png", "--size", "640"}, "--size: expected WIDTHxHEIGHT"},
      {"two coordinates", {"--render", "a.png", "--position", "1,2"}, "--position: expected X,Y,Z"},
      {"not a number", {"--render", "a.png", "--position", "1,2,z"}, "--position"},
      {"U too large", {"--render", "a.png", "--view", "360.5,0"}, "--view: U must be between 0 and 360"},
      {"V too small", {"--render", "a.png", "--view", "0,-90.1"}, "--view: V must be between -90 and 90"},
      {"zero zoom", {"--render", "a.png", "--zoom", "0"}, "--zoom: expected a factor greater than 0"},
      {"infinite zoom", {"--render", "a.png", "--zoom", "inf"}, "--zoom"},
      {"unknown label",
       {"--render", "a.png", "--labels", "names,stars"},
       "--labels: unknown label kind 'stars'"},
      {"missing value", {"--render", "a.png", "--zoom"}, "option --zoom needs a value"},
      {"render option alone", {"--size", "640x480"}, "option --size needs --render"},
      {"grid alone", {"--grid"}, "option --grid needs --render"},
      {"select alone", {"--select", "Vega"}, "option --select needs --render"},
      {"empty select", {"--render", "a.png", "--select="}, "--select: expected a star name"},
      {"constellations with value", {"--render", "a.png", "--constellations=1"}, "takes no value"},
      {"document with render", {"--render", "a.png", "doc.txt"}, "--render draws the map"},
      {"unknown option", {"--frobnicate"}, "unknown option '--frobnicate'"},
      {"flag with value", {"--version=2"}, "option --version takes no value"},
      {"colours alone", {"--colours"}, "option --colours needs --render"},
      {"colours with value", {"--render", "a.png", "--colours=yes"}, "option --colours takes no value"},
      {"two documents", {"a", "b"}, "more than one document file"},
      {"empty star name", {"--render", "a.png", "--look-at="}, "--look-at: expected a star name"},
      {"position and travel",
       {"--render", "a.png", "--travel-to", "Sol", "--position", "1,2,3"},
       "or --travel-to,"},
  };
  for (const Row& row : rows) {
    const std::string error = Parse(row.args).error;
    EXPECT_NE(error.find(row.expectedInError), std::string::npos) << row.name << ": " << error;
  }
  // The bounds themselves are accepted.
  EXPECT_EQ(Parse({"--render", "a.png", "--view", "360,-90", "--size", "2x1"}).error, "");
}
