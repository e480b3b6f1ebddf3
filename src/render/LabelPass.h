// The label pass: which star gets which text, where and in which colour, drawn
// through the platform into the label buffer; and the OR merge of the label
// buffer onto the star buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// The texts a star gets, chosen apart from drawing them: its label point,
// its name (empty for none) and its distance (empty for none).
struct StarLabel {
  int32_t x;
  int32_t y;
  std::string_view name;  // into the record
  std::string distance;
};

// The texts of a star of the given distance, apparent magnitude and name (a
// record's szName) for the projection (projX, projY), or none when visible
// is false; false when it gets no text.
bool ChooseStarLabel(double distance, double magnitude, const char* name, bool visible, double projX,
                     double projY, const ScreenFrame& frame, const LabelFlags& flags, StarLabel& label);
// Draws what ChooseStarLabel chose; returns the number of texts drawn.
int DrawChosenLabel(const StarLabel& label, ViewPlatform& platform, PixelBuffer& target);

// False when no flag can give a star of this distance and magnitude a text,
// whatever its projection: it is too near, or its magnitude is 3 or more and
// it has no name or a magnitude of 5 or more (or not a number).
bool MayGetLabel(double distance, double magnitude, bool named);

// Every word of stars becomes (star word) OR (label word): text never erases
// a star and black cells add nothing.
void MergeLabelBuffer(PixelBuffer& stars, const PixelBuffer& labels);
