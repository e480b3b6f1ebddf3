// TABLEDATA big enough to be parsed in chunks on several threads gives what
// the single parser gives: the same map, byte for byte, and the same error
// (line, row and column) for every fault, wherever in the table it is. The
// single parser reads a copy with a document type declaration, which keeps
// the table from being cut.
#include <gtest/gtest.h>

#include <filesystem>

#include "ToolsTestSupport.h"

namespace {

constexpr int kRows = 12000;  // some 2 MiB: several chunks
constexpr int kLateRow = 9000;

std::string Row(int i) {
  const std::string n = std::to_string(i);
  return "<TR><TD>" + std::to_string(4472832130942575872 + i) + "</TD><TD>Gaia DR3 " + n + "</TD><TD>" +
         std::to_string(i % 360) + ".25</TD><TD>-" + std::to_string(i % 90) + ".5</TD><TD>" +
         std::to_string(1 + i % 700) + ".125</TD><TD>" + std::to_string(5 + i % 14) + ".75</TD></TR>";
}

// The table with row kLateRow (from 0) replaced, lines ending in newline.
std::string Table(bool singleParser, const std::string& lateRow, const std::string& newline = "\n",
                  const std::string& dataTag = "<TABLEDATA>") {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  if (singleParser) text += "<!DOCTYPE VOTABLE>";
  text += newline + "<VOTABLE version=\"1.4\">" + newline + "<RESOURCE><TABLE>" + newline;
  for (const char* field :
       {"datatype=\"long\" name=\"source_id\"", "datatype=\"char\" arraysize=\"*\" name=\"designation\"",
        "datatype=\"double\" name=\"ra\"", "datatype=\"double\" name=\"dec\"",
        "datatype=\"double\" name=\"parallax\"", "datatype=\"float\" name=\"phot_g_mean_mag\""})
    text += std::string("<FIELD ") + field + "/>" + newline;
  text += "<DATA>" + dataTag + newline;
  for (int i = 0; i < kRows; ++i) text += (i == kLateRow ? lateRow : Row(i)) + newline;
  return text + "</TABLEDATA></DATA></TABLE></RESOURCE></VOTABLE>" + newline;
}

TEST(TabledataChunks, ChunkedTableGivesWhatTheSingleParserGives) {
  const std::string row = Row(kLateRow);
  const std::string table = Table(false, row);
  const struct {
    const char* name;
    std::string chunked, single;
  } rows[] = {
      {"plain rows", table, Table(true, row)},
      {"entities in a cell",
       Table(false,
             "<TR><TD>1</TD><TD>a &amp; b &#x263A; &lt;c&gt;</TD><TD>1</TD><TD>2</TD>"
             "<TD>3</TD><TD>4</TD></TR>"),
       Table(true,
             "<TR><TD>1</TD><TD>a &amp; b &#x263A; "
             "&lt;c&gt;</TD><TD>1</TD><TD>2</TD><TD>3</TD><TD>4</TD></TR>")},
      {"CRLF line ends", Table(false, row, "\r\n"), Table(true, row, "\r\n")},
      {"a comment", Table(false, "<!-- <TR> -->" + row), Table(true, "<!-- <TR> -->" + row)},
      {"a CDATA section",
       Table(false, "<TR><TD>7</TD><TD><![CDATA[<TR>]]></TD><TD>1</TD><TD>2</TD><TD>3</TD><TD>4</TD></TR>"),
       Table(true, "<TR><TD>7</TD><TD><![CDATA[<TR>]]></TD><TD>1</TD><TD>2</TD><TD>3</TD><TD>4</TD></TR>")},
      {"a processing instruction", Table(false, "<?note x?>" + row), Table(true, "<?note x?>" + row)},
      {"a bad number", Table(false, "<TR><TD>1</TD><TD>x</TD><TD>1</TD><TD>2</TD><TD>3x</TD><TD>4</TD></TR>"),
       Table(true, "<TR><TD>1</TD><TD>x</TD><TD>1</TD><TD>2</TD><TD>3x</TD><TD>4</TD></TR>")},
      {"a missing cell", Table(false, "<TR><TD>1</TD></TR>"), Table(true, "<TR><TD>1</TD></TR>")},
      {"a mismatched tag", Table(false, "<TR><TD>1</TR>"), Table(true, "<TR><TD>1</TR>")},
      {"a start tag on two lines", Table(false, "<TR><TD>1</TR>", "\n", "<TABLEDATA\n>"),
       Table(true, "<TR><TD>1</TR>", "\n", "<TABLEDATA\n>")},
      {"an unknown entity", Table(false, "<TR><TD>&x;</TD></TR>"), Table(true, "<TR><TD>&x;</TD></TR>")},
      {"an element in a cell",
       Table(false, "<TR><TD>1<B/></TD><TD/><TD>1</TD><TD>2</TD><TD>3</TD><TD>4</TD></TR>"),
       Table(true, "<TR><TD>1<B/></TD><TD/><TD>1</TD><TD>2</TD><TD>3</TD><TD>4</TD></TR>")},
      {"cut short", table.substr(0, table.size() * 3 / 4),
       Table(true, row).substr(0, table.size() * 3 / 4 + 18)},
  };
  TempDirectory dir("tabledata-chunks");
  for (const auto& row : rows) {
    std::string logs[2];
    int codes[2];
    std::string maps[2];
    for (int single = 0; single < 2; ++single) {
      MakeMapOptions options;
      options.inputs = {dir.Write("t.vot", single ? row.single : row.chunked)};
      options.output = dir.File("map.smp");
      codes[single] = RunMakeMap(options, &logs[single]);
      maps[single] = ReadBytes(options.output);
      std::filesystem::remove(options.output);
    }
    EXPECT_EQ(codes[0], codes[1]) << row.name << "\n" << logs[0] << "\n" << logs[1];
    EXPECT_EQ(logs[0], logs[1]) << row.name;
    EXPECT_TRUE(maps[0] == maps[1]) << row.name << ": the maps differ";
  }
  // The chunks give every row.
  std::string log;
  MakeMapOptions options;
  options.inputs = {dir.Write("t.vot", table)};
  options.output = dir.File("map.smp");
  ASSERT_EQ(RunMakeMap(options, &log), kExitSuccess) << log;
  EXPECT_NE(log.find("rows read: " + std::to_string(kRows)), std::string::npos) << log;
}

}  // namespace
