// Durchmusterung designations: the catalogue's text form ("BD+38 4343") to
// the program's 8-bit form ("B+38°4343", with the degree sign as byte 0xB0).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Accepts BD, CD or CP, a sign, a two-digit zone, one space, a number of one
// to five digits and an optional lower-case suffix letter ("BD+04 3561a").
// The result is one letter for the catalogue (B for BD, C for CD, P for CP),
// the sign, the zone, byte 0xB0 and the number with its suffix. Any other text gives no designation.
std::optional<std::string> ConvertDesignation(std::string_view text);
