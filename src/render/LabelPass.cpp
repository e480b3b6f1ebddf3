// Label choice by magnitude and flags, and the merge of the label buffer.
#include "render/LabelPass.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// Distances are printed this many lines above the star's label point.
constexpr int kDistanceLineOffset = 11;

constexpr size_t kNameBytes = sizeof StarEntry{}.szName;

// Whether a star of magnitude m (already below 5) shows its name field: every
// name with designations on; otherwise proper names only, down to magnitude 4
// with small names on, or 2 with names on.
bool ShowsName(const char* name, double m, const LabelFlags& flags) {
  if (flags.durchmusterung != 0) return true;
  if (flags.smallNames != 0 && m < 4.0) return !IsLabelDesignation(name);
  if (flags.names != 0 && m < 2.0) return !IsLabelDesignation(name);
  return false;
}

// "%2.2lf" of distance; empty when it cannot be printed.
std::string DistanceText(double distance) {
  char text[320];  // room for "%2.2lf" of any double: up to 309 digits, sign, point, two decimals
  const int length = std::snprintf(text, sizeof text, "%2.2lf", distance);
  if (length <= 0) return {};
  return std::string(text, std::min(static_cast<size_t>(length), sizeof text - 1));
}

}  // namespace

bool ChooseStarLabel(double distance, double magnitude, const char* name, bool visible, double projX,
                     double projY, const ScreenFrame& frame, const LabelFlags& flags, StarLabel& label) {
  int32_t x = 0;
  int32_t y = 0;
  if (!visible || !ToScreenCoordinate(projX, kPixelsPerUnit, frame.centerX, x) ||
      !ToScreenCoordinate(projY, kPixelsPerUnit, frame.centerY, y))
    return false;
  if (x < 0 || x > frame.width || y < 0 || y > frame.height) return false;
  if (distance < kNearestDrawnDistance) return false;

  const double m = magnitude;
  label.x = x;
  label.y = y;
  label.name = {};
  if (m < 5.0 && ShowsName(name, m, flags)) label.name = std::string_view(name, strnlen(name, kNameBytes));
  label.distance = m < 3.0 && flags.distances != 0 ? DistanceText(distance) : std::string();
  return !label.name.empty() || !label.distance.empty();
}

int DrawChosenLabel(const StarLabel& label, ViewPlatform& platform, PixelBuffer& target) {
  int texts = 0;
  if (!label.name.empty()) {
    platform.DrawText(target, label.x, label.y, label.name, kColorBlue);
    ++texts;
  }
  if (!label.distance.empty()) {
    platform.DrawText(target, label.x, label.y - kDistanceLineOffset, label.distance, kColorOrange);
    ++texts;
  }
  return texts;
}

int DrawStarLabel(const StarEntry& star, const ScreenFrame& frame, const LabelFlags& flags,
                  ViewPlatform& platform, PixelBuffer& target) {
  StarLabel label;
  if (!ChooseStarLabel(star.dDistance, star.dAppMagnitude, star.szName, star.bVisible != 0, star.dProjX,
                       star.dProjY, frame, flags, label))
    return 0;
  return DrawChosenLabel(label, platform, target);
}

int DrawStarLabels(const StarEntry* stars, int count, const ScreenFrame& frame, const LabelFlags& flags,
                   ViewPlatform& platform, PixelBuffer& target) {
  int texts = 0;
  for (int i = 0; i < count; ++i) texts += DrawStarLabel(stars[i], frame, flags, platform, target);
  return texts;
}

bool MayGetLabel(double distance, double magnitude, bool named) {
  return !(distance < kNearestDrawnDistance) && (magnitude < 3.0 || (named && magnitude < 5.0));
}

void MergeLabelBuffer(PixelBuffer& stars, const PixelBuffer& labels) {
  const size_t words = std::min(stars.words.size(), labels.words.size());
  for (size_t i = 0; i < words; ++i) stars.words[i] |= labels.words[i];
}
