// Formatting and strict parsing of the numbers shown in dialog edits.
#include "interaction/EditText.h"

#include <charconv>
#include <cmath>

namespace edit_text {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// from_chars takes a leading '-' but no '+'; accept one '+' before a digit or point.
std::string_view DropPlusSign(std::string_view text) {
  if (text.size() >= 2 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  return text;
}

template <typename T, typename... Format>
std::optional<T> ParseWhole(std::string_view text, Format... format) {
  text = DropPlusSign(TrimBlanks(text));
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, format...);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatDouble(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

std::string FormatInt(int value) { return std::to_string(value); }

std::optional<double> ParseDouble(std::string_view text) {
  const std::optional<double> value = ParseWhole<double>(text, std::chars_format::general);
  if (!value || !std::isfinite(*value)) return std::nullopt;  // "inf" and "nan" are not numbers here
  return value;
}

std::optional<int> ParseInt(std::string_view text) { return ParseWhole<int>(text, 10); }

}  // namespace edit_text
