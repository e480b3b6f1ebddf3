// Reading the figures file: a good file, the shipped one, and malformed ones
// refused with the line and the problem.
#include <gtest/gtest.h>

#include <sstream>

#include "overlay/FigureFile.h"

namespace {

FigureFileResult Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseFigureFile(in, "figures.txt");
}

TEST(FigureFile, ReadsFiguresStarsAndLines) {
  const FigureFileResult read = Parse(
      "# a comment\n"
      "figure\tOri\tOrion\n"
      "star\t27989\t166.5\t-77.5\t-462.8\r\n"
      "star\t24436\t1.0\t2.0\t3.0\n"
      "line\t0\t1\n"
      "\n"
      "figure\tBoo\tBo\xC3\xB6tes\n"
      "star\t69673\t0\t0\t36.7\n");
  ASSERT_EQ(read.error, "");
  ASSERT_EQ(read.figures.size(), 2u);
  const ConstellationFigure& orion = read.figures[0];
  EXPECT_EQ(orion.abbreviation, "Ori");
  EXPECT_EQ(orion.name, "Orion");
  ASSERT_EQ(orion.stars.size(), 2u);
  EXPECT_EQ(orion.stars[0].catalogNumber, 27989);
  EXPECT_EQ(orion.stars[0].position.x, 166.5);
  EXPECT_EQ(orion.stars[0].position.z, -462.8);
  ASSERT_EQ(orion.lines.size(), 1u);
  EXPECT_EQ(orion.lines[0].from, 0);
  EXPECT_EQ(orion.lines[0].to, 1);
  EXPECT_EQ(read.figures[1].name, "Bo\xF6tes");
  EXPECT_TRUE(read.figures[1].lines.empty());
}

TEST(FigureFile, MalformedFilesAreRefusedNamingTheLine) {
  struct Row {
    const char* name;
    const char* text;
    const char* error;
  } rows[] = {
      {"empty", "# nothing\n", "figures.txt: holds no figure"},
      {"unknown record", "figure\tOri\tOrion\nstars\t1\t0\t0\t0\n",
       "figures.txt, line 2: unknown record 'stars'"},
      {"star first", "star\t1\t0\t0\t0\n", "figures.txt, line 1: a star before the first figure"},
      {"figure without name", "figure\tOri\n", "line 1: a figure needs an abbreviation and a name"},
      {"short star", "figure\tOri\tOrion\nstar\t1\t0\t0\n",
       "line 2: a star needs a catalogue number and x, y, z"},
      {"bad number", "figure\tOri\tOrion\nstar\t1\t0\t0x\t0\n", "line 2: a star's number or position"},
      {"infinite position", "figure\tOri\tOrion\nstar\t1\tinf\t0\t0\n",
       "line 2: a star's number or position"},
      {"negative catalogue number", "figure\tOri\tOrion\nstar\t-1\t0\t0\t0\n", "line 2: a star's number"},
      {"line past the stars", "figure\tOri\tOrion\nstar\t1\t0\t0\t1\nline\t0\t1\n",
       "line 3: a line joins a star the figure Ori does not have"},
      {"negative index", "figure\tOri\tOrion\nstar\t1\t0\t0\t1\nline\t-1\t0\n",
       "line 3: a line joins a star"},
      {"line of one index", "figure\tOri\tOrion\nline\t0\n", "line 2: a line needs two star indices"},
  };
  for (const Row& row : rows) {
    const FigureFileResult read = Parse(row.text);
    EXPECT_NE(read.error.find(row.error), std::string::npos) << row.name << ": " << read.error;
    EXPECT_TRUE(read.figures.empty()) << row.name;
  }
}

TEST(FigureFile, AMissingFileSaysSo) {
  const FigureFileResult read = ReadFigureFile("/nonexistent/figures.txt");
  EXPECT_EQ(read.error, "/nonexistent/figures.txt: cannot be opened");
  EXPECT_TRUE(read.figures.empty());
}

// The file the program ships: 89 figures (Serpens in two), every line between stars it lists.
TEST(FigureFile, TheShippedFileReads) {
  const FigureFileResult read = ReadFigureFile(VANTARO_SOURCE_DIR "/data/figures.txt");
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.figures.size(), 89u);
  size_t lines = 0;
  for (const ConstellationFigure& figure : read.figures) lines += figure.lines.size();
  EXPECT_EQ(lines, 718u);
}

}  // namespace
