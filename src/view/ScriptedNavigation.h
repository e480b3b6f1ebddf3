// Navigation given as star names instead of through the dialogs, for
// rendering without a window: travel to one star, then look at another, and
// select a third.
#pragma once

#include <string>

class CSkyglassView;

struct NavigationScript {
  std::string travelTo;  // a star name; empty: stay where the observer is
  std::string lookAt;    // a star name; empty: keep the view direction
  std::string select;    // a star name to select; empty: no selection
};

// Travels, then looks, with the view's own travel and look, then selects. Returns an empty
// text on success, else the reason (naming the star), having changed nothing
// for the failing step.
std::string RunNavigationScript(CSkyglassView& view, const NavigationScript& script);
