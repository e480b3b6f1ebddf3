// Conversion of Durchmusterung designations to the program's 8-bit form.
#include "Designation.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string> ConvertDesignation(std::string_view text) {
  // "BD+38 4343": prefix [0,2), sign [2], zone [3,5), space [5], number from 6.
  if (text.size() < 7) return std::nullopt;
  const std::string_view prefix = text.substr(0, 2);
  if (prefix != "BD" && prefix != "CD" && prefix != "CP") return std::nullopt;
  const char sign = text[2];
  if (sign != '+' && sign != '-') return std::nullopt;
  if (!IsDigit(text[3]) || !IsDigit(text[4]) || text[5] != ' ') return std::nullopt;

  std::string_view number = text.substr(6);
  if (number.back() >= 'a' && number.back() <= 'z') number.remove_suffix(1);
  if (number.empty() || number.size() > 5) return std::nullopt;
  for (const char c : number)
    if (!IsDigit(c)) return std::nullopt;

  std::string converted;
  converted.reserve(text.size() - 1);
  converted.push_back(prefix == "CP" ? 'P' : prefix[0]);  // B, C or P
  converted.append(text.substr(2, 3));                    // sign and zone
  converted.push_back('\xB0');
  converted.append(text.substr(6));  // number and suffix
  return converted;
}
