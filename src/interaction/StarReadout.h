// The message pane's read-out of the star under the pointer:
//   "Sirius   A0mA1Va   8.60 ly   m -1.46   M 1.42"
// name (or "No. N" for a star without one), spectral tag, distance from the
// observer, apparent and absolute magnitude, as the picture was drawn.
#pragma once

#include <string>

struct StarEntry;

// Whether the records' distances and apparent magnitudes describe the
// observer's current position.
enum class MagnitudeState {
  Current,          // computed for this position and drawn
  BeingRecomputed,  // held back while flying; recomputed when the key is released
  NotDrawn,         // magnitude drawing is off, so they are not kept up to date
};

// The state for the view's magnitude drawing switch and validity flag.
MagnitudeState MagnitudeStateOf(int magnitudeDrawing, int magnitudesValid);

// The read-out of one record. Distance and apparent magnitude appear only
// when current; otherwise the text says why they are missing.
std::string FormatStarReadout(const StarEntry& star, MagnitudeState state);
