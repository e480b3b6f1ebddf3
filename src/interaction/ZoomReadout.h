// The text of the toolbar's zoom field: the zoom factor as a whole percentage.
#pragma once

#include <string>

// trunc(zoom * 100.0) formatted "%3d%%": " 50%", "100%", "195%" for
// 1.9599999999999997. A percentage beyond the int range (a factor from
// 21474836.48 on) shows as ">2147483647%", one below it as "<-2147483648%".
std::string FormatZoomReadout(double zoom);
