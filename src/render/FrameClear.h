// Clearing the view's buffers at a recomputing paint: the whole star buffer
// and its drawn-star map on all cores (for a StarFrame that cannot clear only
// the words it noted), and the label buffer only when something is in it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/PixelBuffer.h"

// words pixels of bits become black and the same entries of drawn (when not
// null) become DrawnStarMap::kNoStar.
void ClearStarFrame(uint16_t* bits, int32_t* drawn, size_t words);

// Makes buffer all black; a buffer that already is one is only read.
void ClearToBlack(PixelBuffer& buffer);
