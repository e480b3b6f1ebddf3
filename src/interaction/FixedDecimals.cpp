// Locale-independent fixed-point formatting.
#include "interaction/FixedDecimals.h"

#include <charconv>

std::string FixedDecimals(double value, int decimals) {
  char text[352];  // room for the widest double in fixed notation
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, written.ptr);
}
