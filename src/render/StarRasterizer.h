// RenderStars: turns the projected stars into pixels of the bottom-up star
// buffer, by apparent magnitude: white discs, white or grey single pixels,
// or nothing.
#pragma once

#include <cstdint>

#include "catalog/StarEntry.h"
#include "render/ScreenMapping.h"

// Draws the first count records into bits, a buffer of frame.width x
// frame.height words. When magnitudeDrawing or magnitudesValid is 0 every
// star that lands in the buffer becomes one white pixel. When drawn is not
// null, every pixel written also records the star's index there (a buffer of
// the same size and layout).
void RenderStars(const StarEntry* stars, int count, const ScreenFrame& frame, int magnitudeDrawing,
                 int magnitudesValid, uint16_t* bits, int32_t* drawn = nullptr);
