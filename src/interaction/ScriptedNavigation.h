// Navigation given as star names instead of through the dialogs, for
// rendering without a window: travel to one star, then look at another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CSkyglassView;
class StarCatalog;

struct NavigationScript {
  std::string travelTo;  // a star name; empty: stay where the observer is
  std::string lookAt;    // a star name; empty: keep the view direction
};

// The star the star dialogs' completion finds when name is typed in one go
// with the designations box ticked: the first record whose name begins with
// it. -1 when there is none, or when name is empty (nothing is completed).
int32_t FindStarAsTyped(const StarCatalog& catalog, std::string_view name);

// Travels, then looks, with the view's own travel and look. Returns an empty
// text on success, else the reason (naming the star), having changed nothing
// for the failing step.
std::string RunNavigationScript(CSkyglassView& view, const NavigationScript& script);
