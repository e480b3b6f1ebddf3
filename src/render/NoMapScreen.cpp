// Painting of the no-map screen.
#include "render/NoMapScreen.h"

#include "render/PixelBuffer.h"

void DrawNoMapScreen(ViewPlatform& platform) {
  platform.FillWindowRect(kNoMapFillRect, kColorBlack);
  platform.DrawWindowText(kNoMapMessage, kNoMapTextRect, kColorRed);
}
