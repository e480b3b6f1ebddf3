// Text of the star read-out.
#include "interaction/StarReadout.h"

#include <cstring>

#include "catalog/StarEntry.h"
#include "interaction/FixedDecimals.h"

namespace {

constexpr const char* kFieldGap = "   ";

std::string NameOrNumber(const StarEntry& star) {
  const size_t length = strnlen(star.szName, sizeof star.szName);
  if (length > 0) return std::string(star.szName, length);
  return "No. " + std::to_string(star.nCatalogNumber);
}

}  // namespace

MagnitudeState MagnitudeStateOf(int magnitudeDrawing, int magnitudesValid) {
  if (magnitudeDrawing != 1) return MagnitudeState::NotDrawn;
  return magnitudesValid == 1 ? MagnitudeState::Current : MagnitudeState::BeingRecomputed;
}

std::string FormatStarReadout(const StarEntry& star, MagnitudeState state) {
  std::string text = NameOrNumber(star);
  const size_t tagLength = strnlen(star.szTag, sizeof star.szTag);
  if (tagLength > 0) text += kFieldGap + std::string(star.szTag, tagLength);
  text += kFieldGap;
  switch (state) {
    case MagnitudeState::Current:
      text +=
          FixedDecimals(star.dDistance, 2) + " ly" + kFieldGap + "m " + FixedDecimals(star.dAppMagnitude, 2);
      break;
    case MagnitudeState::BeingRecomputed:
      text += "distance and magnitude being recomputed";
      break;
    case MagnitudeState::NotDrawn:
      text += "distance and magnitude shown with magnitude drawing on";
      break;
  }
  return text + kFieldGap + "M " + FixedDecimals(star.dAbsMagnitude, 2);
}
