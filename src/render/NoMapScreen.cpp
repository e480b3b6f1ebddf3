// Painting of the no-map screen.
#include "render/NoMapScreen.h"

#include <string>

#include "render/PixelBuffer.h"

void DrawNoMapScreen(ViewPlatform& platform, std::string_view reason) {
  platform.FillWindowRect(kNoMapFillRect, kColorBlack);
  platform.DrawWindowText(kNoMapMessage, kNoMapTextRect, kColorRed, TextBreaks::AtNewlines);
  if (!reason.empty())
    platform.DrawWindowText("\n\n" + std::string(reason), kNoMapReasonRect, kColorRed,
                            TextBreaks::AtNewlinesAndWords);
}
