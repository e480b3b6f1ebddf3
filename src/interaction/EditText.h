// The text forms of numbers in dialog edits, shared by the Qt dialogs and the
// tests: doubles are shown with up to 15 significant digits ("%.15g") and
// read back from the whole text; integers are plain decimal. Independent of
// the process locale, so "0.5" is always written and read with a point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace edit_text {

// The general form with 15 significant digits: 0, 2, 57.2957795130931, 1e-07.
std::string FormatDouble(double value);
std::string FormatInt(int value);

// The whole text must be one finite decimal number (sign, digits, point,
// exponent); blanks before and after it are allowed. Anything else, and a
// number beyond the range of double, gives no value.
std::optional<double> ParseDouble(std::string_view text);
// The whole text must be one decimal integer that fits an int, optionally
// signed and surrounded by blanks.
std::optional<int> ParseInt(std::string_view text);

}  // namespace edit_text
