// The number forms of dialog edits: what is shown and what is accepted back.
#include "interaction/EditText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

using edit_text::FormatDouble;
using edit_text::ParseDouble;
using edit_text::ParseInt;

TEST(EditText, FormatsDoublesWithFifteenSignificantDigits) {
  struct Row {
    const char* name;
    double value;
    const char* text;
  } rows[] = {
      {"zero", 0.0, "0"},
      {"whole", 2.0, "2"},
      {"negative", -1.234567, "-1.234567"},
      {"yaw 1 rad in degrees", 57.295779513093144, "57.2957795130931"},
      {"pitch limit in degrees", 1.5707963267949 * 57.295779513093144, "90.0000000000172"},
      {"small uses exponent", 1e-7, "1e-07"},
      {"large uses exponent", 1e20, "1e+20"},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatDouble(row.value), row.text) << row.name;
}

TEST(EditText, ParsesOnlyWholeFiniteNumbers) {
  struct Row {
    const char* text;
    std::optional<double> value;
  } rows[] = {
      {"0", 0.0},
      {"57.2957795130931", 57.2957795130931},
      {"  -90 ", -90.0},
      {"+5", 5.0},
      {".5", 0.5},
      {"5.", 5.0},
      {"1e3", 1000.0},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"12abc", std::nullopt},
      {"1 2", std::nullopt},
      {"1,5", std::nullopt},
      {"+-5", std::nullopt},
      {"1e", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x10", std::nullopt},
      {"1e999", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(ParseDouble(row.text), row.value) << '"' << row.text << '"';
}

TEST(EditText, ParsesOnlyWholeDecimalInts) {
  struct Row {
    const char* text;
    std::optional<int> value;
  } rows[] = {
      {"100", 100},
      {" 2000 ", 2000},
      {"-1", -1},
      {"+7", 7},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
      {"2147483647", 2147483647},
      {"2147483648", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(ParseInt(row.text), row.value) << '"' << row.text << '"';
}

// The edits show 15 digits, so a value read back is the decimal form's double.
TEST(EditText, RoundTripThroughFifteenDigits) {
  EXPECT_EQ(ParseDouble(FormatDouble(57.295779513093144)), 57.2957795130931);
  EXPECT_EQ(ParseDouble(FormatDouble(0.1)), 0.1);
}

TEST(EditText, IgnoresTheProcessLocale) {
  // A locale with a decimal comma, where installed; the C locale otherwise.
  const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  EXPECT_EQ(FormatDouble(0.5), "0.5");
  EXPECT_EQ(ParseDouble("0.5"), 0.5);
  if (german) std::setlocale(LC_ALL, "C");
}
