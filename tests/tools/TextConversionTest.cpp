// Designations and code page 1252: the 8-bit texts the map stores.
#include <gtest/gtest.h>

#include "Designation.h"
#include "catalog/StarEntry.h"
#include "text/Cp1252.h"

namespace {

TEST(Designation, ConvertsTheCatalogueFormOrRejectsIt) {
  struct Row {
    const char* text;
    const char* expected;  // nullptr: rejected
  } rows[] = {
      {"BD+38 4343",
       "B+38\xB0"
       "4343"},
      {"BD+04 3561a",
       "B+04\xB0"
       "3561a"},  // suffix letter kept
      {"BD+70 68b",
       "B+70\xB0"
       "68b"},
      {"CD-23 4567",
       "C-23\xB0"
       "4567"},
      {"CP-60 5483",
       "P-60\xB0"
       "5483"},
      {"BD-00 1",
       "B-00\xB0"
       "1"},
      {"CD-44 12345",
       "C-44\xB0"
       "12345"},  // five digits, the most
      {"", nullptr},
      {"BD+38", nullptr},
      {"BD+38 ", nullptr},        // no number
      {"BD+38 a", nullptr},       // suffix without number
      {"BD+38 123456", nullptr},  // six digits
      {"BD+38  4343", nullptr},   // two spaces
      {"BD+384343", nullptr},     // no space
      {"BD 38 4343", nullptr},    // no sign
      {"BD+3 4343", nullptr},     // one-digit zone
      {"PD+38 4343", nullptr},    // unknown prefix
      {"bd+38 4343", nullptr},    // lower-case prefix
      {"BD+38 4343A", nullptr},   // upper-case suffix
      {"BD+38 4343ab", nullptr},  // two suffix letters
      {"BD+38 43x3", nullptr},
      {"GJ 380", nullptr},
  };
  for (const Row& row : rows) {
    const std::optional<std::string> converted = ConvertDesignation(row.text);
    if (!row.expected) {
      EXPECT_FALSE(converted) << row.text;
      continue;
    }
    ASSERT_TRUE(converted) << row.text;
    EXPECT_EQ(*converted, row.expected) << row.text;
    // Both of the program's tests recognise every converted designation.
    EXPECT_TRUE(IsLabelDesignation(converted->c_str())) << row.text;
    EXPECT_TRUE(IsDialogDesignation(converted->c_str())) << row.text;
  }
}

TEST(CodePage1252, ConvertsFromUtf8) {
  struct Row {
    const char* name;
    std::string utf8;
    std::string expected;
    bool replaced;
  } rows[] = {
      {"ascii", "Sirius", "Sirius", false},
      {"latin1", "B\u00e9l\u00e9nos", "B\xE9l\xE9nos", false},
      {"degree sign", "B+38\u00b04343",
       "B+38\xB0"
       "4343",
       false},
      {"y diaeresis", "\u00ff", "\xFF", false},
      {"windows extras", "\u20ac\u2019\u0160\u0178\u017e", "\x80\x92\x8A\x9F\x9E", false},
      {"undefined byte positions", "\u0081\u008d\u008f\u0090\u009d", "\x81\x8D\x8F\x90\x9D", false},
      {"macron stripped", "Bibh\u0101", "Bibha", true},
      {"latin extended a", "S\u0101maya \u0141\u00f3d\u017a \u0131",
       "Samaya L\xF3"
       "dz i",
       true},
      {"combining mark dropped", "Be\u0301le\u0301nos", "Belenos", true},
      {"other scripts", "\u5317\u6597 \U0001F31F", "?? ?", true},
      {"control characters are characters of the code page",
       "a\tb\x7f"
       "c",
       "a\tb\x7f"
       "c",
       false},
      {"c1 control without a byte", "\u0080", "?", true},
      {"invalid utf-8", "a\xC3(b\xE2\x82", "a?(b??", true},
      {"overlong encoding", "\xC0\xAF", "??", true},
      {"surrogate", "\xED\xA0\x80", "???", true},
  };
  for (const Row& row : rows) {
    bool replaced = !row.replaced;
    EXPECT_EQ(Utf8ToCp1252(row.utf8, &replaced), row.expected) << row.name;
    EXPECT_EQ(replaced, row.replaced) << row.name;
  }
}

TEST(CodePage1252, EveryByteSurvivesUtf8AndBack) {
  for (int byte = 0x00; byte <= 0xFF; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    bool replaced = true;
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(text), &replaced), text) << byte;
    EXPECT_FALSE(replaced) << byte;
  }
  EXPECT_EQ(Cp1252ToUtf8("B+38\xB0"
                         "4343 \x80 \xE9"),
            "B+38\u00b04343 \u20ac \u00e9");
}

}  // namespace
