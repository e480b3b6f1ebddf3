// Label choice by magnitude and flags, and the merge of the label buffer.
#include "render/LabelPass.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

// Distances are printed this many lines above the star's label point.
constexpr int kDistanceLineOffset = 11;

// Whether a star of magnitude m (already below 5) shows its name field: every
// name with designations on; otherwise proper names only, down to magnitude 4
// with small names on, or 2 with names on.
bool ShowsName(const char* name, double m, const LabelFlags& flags) {
  if (flags.durchmusterung != 0) return true;
  if (flags.smallNames != 0 && m < 4.0) return !IsLabelDesignation(name);
  if (flags.names != 0 && m < 2.0) return !IsLabelDesignation(name);
  return false;
}

// Returns the number of texts drawn: 1, or 0 when the distance cannot be printed.
int DrawDistance(double distance, int x, int y, ViewPlatform& platform, PixelBuffer& target) {
  char text[320];  // room for "%2.2lf" of any double: up to 309 digits, sign, point, two decimals
  const int length = std::snprintf(text, sizeof text, "%2.2lf", distance);
  if (length <= 0) return 0;
  const size_t shown = std::min(static_cast<size_t>(length), sizeof text - 1);
  platform.DrawText(target, x, y - kDistanceLineOffset, std::string_view(text, shown), kColorOrange);
  return 1;
}

}  // namespace

int DrawStarLabel(const StarEntry& star, const ScreenFrame& frame, const LabelFlags& flags,
                  ViewPlatform& platform, PixelBuffer& target) {
  if (star.dDistance < kNearestDrawnDistance || star.bVisible == 0) return 0;
  int32_t x = 0;
  int32_t y = 0;
  if (!ToScreenCoordinate(star.dProjX, kPixelsPerUnit, frame.centerX, x) ||
      !ToScreenCoordinate(star.dProjY, kPixelsPerUnit, frame.centerY, y))
    return 0;
  if (x < 0 || x > frame.width || y < 0 || y > frame.height) return 0;

  int texts = 0;
  const double m = star.dAppMagnitude;
  if (m < 5.0 && ShowsName(star.szName, m, flags)) {
    const std::string_view name(star.szName, strnlen(star.szName, sizeof star.szName));
    if (!name.empty()) {
      platform.DrawText(target, x, y, name, kColorBlue);
      ++texts;
    }
  }
  if (m < 3.0 && flags.distances != 0) texts += DrawDistance(star.dDistance, x, y, platform, target);
  return texts;
}

int DrawStarLabels(const StarEntry* stars, int count, const ScreenFrame& frame, const LabelFlags& flags,
                   ViewPlatform& platform, PixelBuffer& target) {
  int texts = 0;
  for (int i = 0; i < count; ++i) texts += DrawStarLabel(stars[i], frame, flags, platform, target);
  return texts;
}

bool MayGetLabel(const StarEntry& star) {
  return !(star.dDistance < kNearestDrawnDistance) && star.dAppMagnitude < 5.0;
}

void MergeLabelBuffer(PixelBuffer& stars, const PixelBuffer& labels) {
  const size_t words = std::min(stars.words.size(), labels.words.size());
  for (size_t i = 0; i < words; ++i) stars.words[i] |= labels.words[i];
}
