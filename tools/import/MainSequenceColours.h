// The main-sequence spectral type of a Gaia BP-RP colour, for the tag of a
// Gaia star without a spectral type.
#pragma once

#include <string_view>

// "~" and the dwarf type whose mean colour is nearest ("~K5V"); bluer than
// the table's bluest type "~B", redder than its reddest "~M".
std::string_view MainSequenceTypeOfColour(double bpRp);
