// The star under the pointer in the view's current frame, and the message
// pane's read-out of it, else of the selected star (the pick and the text are
// in interaction/StarPick and interaction/StarReadout).
#pragma once

#include <cstdint>
#include <string>

#include "interaction/StarReadout.h"

class CSkyglassView;

// The state of the magnitudes the view drew.
MagnitudeState MagnitudeStateOf(const CSkyglassView& view);

// The pick in the view's current frame; kNoStar while no map is loaded.
int32_t PickStarAt(CSkyglassView& view, int x, int y);

// The read-out of the star picked at window point (x, y); where there is
// none, the selected star's (empty without a selection).
std::string StarReadoutAt(CSkyglassView& view, int x, int y);
// The selected star's read-out; empty without a selection.
std::string SelectionReadout(CSkyglassView& view);
