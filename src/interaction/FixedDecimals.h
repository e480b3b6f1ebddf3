// Numbers for the status bar's read-outs: a fixed number of decimals with a
// decimal point, whatever the process locale.
#pragma once

#include <string>

// value rounded to decimals places: "8.60", "-1.46", "-14.2".
std::string FixedDecimals(double value, int decimals);
