// RFC 4180 reading: quoting, line ends, byte-order mark, gzip input, and
// errors that name the file and line.
#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

#include "CsvReader.h"
#include "ToolsTestSupport.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

// Reads every record; on an error returns the records so far and sets *error.
Records ReadAll(const std::string& path, std::string* error, std::vector<uint64_t>* lines = nullptr,
                char delimiter = ',') {
  CsvReader reader;
  Records records;
  if (!reader.Open(path)) {
    *error = reader.error();
    return records;
  }
  reader.SetDelimiter(delimiter);
  CsvReader::Result result;
  while ((result = reader.Next()) == CsvReader::Result::Record) {
    records.emplace_back(reader.fields().begin(), reader.fields().end());
    if (lines) lines->push_back(reader.line());
  }
  *error = result == CsvReader::Result::Error ? reader.error() : "";
  return records;
}

TEST(CsvReader, ReadsRecords) {
  const struct {
    const char* name;
    std::string text;
    Records expected;
  } rows[] = {
      {"plain", "a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}},
      {"no final line end", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
      {"crlf", "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
      {"lone cr", "a,b\r1,2\r", {{"a", "b"}, {"1", "2"}}},
      {"byte-order mark",
       "\xEF\xBB\xBF"
       "id,x\n1,2\n",
       {{"id", "x"}, {"1", "2"}}},
      {"empty fields", ",a,,\n", {{"", "a", "", ""}}},
      {"quoted comma", "1,\"C5,5\",x\n", {{"1", "C5,5", "x"}}},
      {"doubled quote", "\"say \"\"hi\"\"\",2\n", {{"say \"hi\"", "2"}}},
      {"quoted empty", "\"\",\"\"\n", {{"", ""}}},
      {"quoted line break", "\"two\nlines\",b\r\nc,d\n", {{"two\nlines", "b"}, {"c", "d"}}},
      {"last field quoted at end of file", "a,\"b\"", {{"a", "b"}}},
      {"empty lines skipped", "\na\n\r\n\nb\n\n", {{"a"}, {"b"}}},
      {"utf-8 kept as bytes", "B\u00e9l\u00e9nos\n", {{"B\u00e9l\u00e9nos"}}},
      {"empty file", "", {}},
  };
  TempDirectory dir("csv-records");
  for (const auto& row : rows) {
    std::string error;
    EXPECT_EQ(ReadAll(dir.Write("in.csv", row.text), &error), row.expected) << row.name;
    EXPECT_EQ(error, "") << row.name;
  }
}

// ECSV's default: fields apart by spaces, quoted when they hold one.
TEST(CsvReader, ReadsSpaceDelimitedRecords) {
  const struct {
    const char* name;
    std::string text;
    Records expected;
  } rows[] = {
      {"plain", "a b\n1 2\n", {{"a", "b"}, {"1", "2"}}},
      {"runs of spaces", "a  b   c\n", {{"a", "b", "c"}}},
      {"spaces at the ends", "  a b  \r\n", {{"a", "b"}}},
      {"quoted with spaces", "\"Gaia DR3 1\" 2\n", {{"Gaia DR3 1", "2"}}},
      {"doubled quotes", "\"say \"\"hi\"\"\" x\n", {{"say \"hi\"", "x"}}},
      {"quoted empty is a field", "a \"\" b \"\"\n", {{"a", "", "b", ""}}},
      {"comma is a character", "a,b c\n", {{"a,b", "c"}}},
      {"line of spaces skipped", "a\n   \nb\n", {{"a"}, {"b"}}},
  };
  TempDirectory dir("csv-space");
  for (const auto& row : rows) {
    std::string error;
    EXPECT_EQ(ReadAll(dir.Write("in.ecsv", row.text), &error, nullptr, ' '), row.expected) << row.name;
    EXPECT_EQ(error, "") << row.name;
  }
}

TEST(CsvReader, CountsLinesAcrossQuotedLineBreaks) {
  TempDirectory dir("csv-lines");
  std::string error;
  std::vector<uint64_t> lines;
  ReadAll(dir.Write("in.csv", "h\n\"a\nb\nc\"\n\nd\r\ne\n"), &error, &lines);
  EXPECT_EQ(lines, (std::vector<uint64_t>{1, 2, 6, 7}));
}

TEST(CsvReader, MalformedRecordsNameFileAndLine) {
  const struct {
    const char* name;
    std::string text;
    size_t recordsBefore;
    const char* error;  // after the file name
  } rows[] = {
      {"quote inside a field", "a,b\n1,x\"y\n", 1, ":2: quote inside a field that does not begin with one"},
      {"text after closing quote", "a\n\"x\"y\n", 1, ":2: text after the closing quote of a field"},
      {"unterminated quote", "a\n\n\"open,\nmore\n", 1,
       ":3: quoted field not closed before the end of the file"},
  };
  TempDirectory dir("csv-errors");
  for (const auto& row : rows) {
    const std::string path = dir.Write("bad.csv", row.text);
    std::string error;
    EXPECT_EQ(ReadAll(path, &error).size(), row.recordsBefore) << row.name;
    EXPECT_EQ(error, path + row.error) << row.name;
  }
}

TEST(CsvReader, ReadsGzipLikePlainText) {
  TempDirectory dir("csv-gzip");
  const std::string text =
      "\xEF\xBB\xBF"
      "id,spect\r\n1,\"C5,5\"\r\n";
  const std::string path = dir.File("in.csv.gz");
  gzFile file = gzopen(path.c_str(), "wb9");
  ASSERT_NE(file, nullptr);
  gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
  gzclose(file);
  std::string error;
  EXPECT_EQ(ReadAll(path, &error), (Records{{"id", "spect"}, {"1", "C5,5"}}));
  EXPECT_EQ(error, "");
}

TEST(CsvReader, CorruptGzipIsAnError) {
  TempDirectory dir("csv-corrupt");
  // A gzip header followed by data that is not deflate.
  const std::string path = dir.Write(
      "bad.csv.gz", std::string("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03", 10) + std::string(64, '\xFF'));
  std::string error;
  ReadAll(path, &error);
  EXPECT_EQ(error.find(path + ": "), 0u) << error;
  EXPECT_GT(error.size(), path.size() + 2) << error;
}

}  // namespace
