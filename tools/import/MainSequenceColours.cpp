// Gaia BP-RP to a main-sequence type through the mean dwarf colour sequence
// of Pecaut & Mamajek (2013, ApJS 208, 9), as kept up to date by E. Mamajek,
// "A Modern Mean Dwarf Stellar Color and Effective Temperature Sequence",
// version 2022.04.16, column Bp-Rp (Gaia DR2 photometry):
// https://www.pas.rochester.edu/~emamajek/EEM_dwarf_UBVIJHK_colors_Teff.txt
// The table gives Bp-Rp from B9V to M9.5V; it rises with the type up to
// M8.5V and falls after it, so the sequence used here ends at M8.5V. The
// colour is taken as observed: interstellar reddening makes distant stars
// look later than they are.
#include "MainSequenceColours.h"

#include <algorithm>
#include <iterator>

namespace {

struct TypeColour {
  const char* tag;
  double bpRp;
};

constexpr TypeColour kSequence[] = {
    {"~B9V", -0.120}, {"~B9.5V", -0.087}, {"~A0V", -0.037},  {"~A1V", 0.005},  {"~A2V", 0.068},
    {"~A3V", 0.110},  {"~A4V", 0.166},    {"~A5V", 0.194},   {"~A6V", 0.222},  {"~A7V", 0.263},
    {"~A8V", 0.320},  {"~A9V", 0.327},    {"~F0V", 0.377},   {"~F1V", 0.434},  {"~F2V", 0.490},
    {"~F3V", 0.518},  {"~F4V", 0.546},    {"~F5V", 0.587},   {"~F6V", 0.640},  {"~F7V", 0.670},
    {"~F8V", 0.694},  {"~F9V", 0.719},    {"~F9.5V", 0.767}, {"~G0V", 0.784},  {"~G1V", 0.803},
    {"~G2V", 0.823},  {"~G3V", 0.832},    {"~G4V", 0.841},   {"~G5V", 0.850},  {"~G6V", 0.869},
    {"~G7V", 0.880},  {"~G8V", 0.900},    {"~G9V", 0.950},   {"~K0V", 0.983},  {"~K1V", 1.01},
    {"~K2V", 1.10},   {"~K3V", 1.21},     {"~K4V", 1.34},    {"~K5V", 1.43},   {"~K6V", 1.53},
    {"~K7V", 1.70},   {"~K8V", 1.73},     {"~K9V", 1.79},    {"~M0V", 1.84},   {"~M0.5V", 1.97},
    {"~M1V", 2.09},   {"~M1.5V", 2.13},   {"~M2V", 2.23},    {"~M2.5V", 2.39}, {"~M3V", 2.50},
    {"~M3.5V", 2.78}, {"~M4V", 2.94},     {"~M4.5V", 3.16},  {"~M5V", 3.35},   {"~M5.5V", 3.71},
    {"~M6V", 4.16},   {"~M6.5V", 4.50},   {"~M7V", 4.65},    {"~M7.5V", 4.72}, {"~M8V", 4.86},
    {"~M8.5V", 5.10},
};

}  // namespace

std::string_view MainSequenceTypeOfColour(double bpRp) {
  if (bpRp < kSequence[0].bpRp) return "~B";
  if (bpRp > std::end(kSequence)[-1].bpRp) return "~M";
  // The first type at least as red as the colour, or the one before it when nearer.
  const TypeColour* redder = std::lower_bound(std::begin(kSequence), std::end(kSequence), bpRp,
                                              [](const TypeColour& type, double c) { return type.bpRp < c; });
  if (redder != std::begin(kSequence) && bpRp - redder[-1].bpRp < redder->bpRp - bpRp) --redder;
  return redder->tag;
}
