// The label pass: which star gets which text, where and in which colour, drawn
// through the platform into the label buffer; and the OR merge of the label
// buffer onto the star buffer.
#pragma once

#include "catalog/StarEntry.h"
#include "render/PixelBuffer.h"
#include "render/ScreenMapping.h"
#include "render/ViewPlatform.h"

// The view's label flags, each 0 or 1.
struct LabelFlags {
  int names;
  int smallNames;
  int distances;
  int durchmusterung;
};

// Draws names and distances of the first count stars into target. Label
// points are window coordinates; a point on column frame.width or line
// frame.height still gets its texts, which the buffer clips. Returns the
// number of texts drawn.
int DrawStarLabels(const StarEntry* stars, int count, const ScreenFrame& frame, const LabelFlags& flags,
                   ViewPlatform& platform, PixelBuffer& target);

// The texts of one star, as DrawStarLabels draws them.
int DrawStarLabel(const StarEntry& star, const ScreenFrame& frame, const LabelFlags& flags,
                  ViewPlatform& platform, PixelBuffer& target);

// False when no flag can give star a text, whatever its projection: it is
// too near, or its magnitude is 5 or more (or not a number).
bool MayGetLabel(const StarEntry& star);

// Every word of stars becomes (star word) OR (label word): text never erases
// a star and black cells add nothing.
void MergeLabelBuffer(PixelBuffer& stars, const PixelBuffer& labels);
