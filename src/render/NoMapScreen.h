// The screen shown while no map is loaded: a black 640 by 480 area with a red
// two-line message, whatever the window's size, and a third line below it
// with the reason when one is known.
#pragma once

#include <string_view>

#include "render/ViewPlatform.h"

// The message of the no-map screen (string resource 61446).
inline constexpr std::string_view kNoMapMessage =
    "No map present!\nThere needs to be a 'map.smp' in the same directory as this program. ";

inline constexpr WindowRect kNoMapFillRect{0, 0, 640, 480};
inline constexpr WindowRect kNoMapTextRect{20, 20, 500, 80};
// The reason is drawn after two empty lines from the message's top-left
// corner, so that it takes the third line in the same font; it runs to the
// right edge of the black area and goes on below, broken between words,
// where it is longer.
inline constexpr WindowRect kNoMapReasonRect{20, 20, 640, 480};

// Paints the no-map screen on the window, with reason (when not empty) as its
// third line; touches nothing else.
void DrawNoMapScreen(ViewPlatform& platform, std::string_view reason = {});
