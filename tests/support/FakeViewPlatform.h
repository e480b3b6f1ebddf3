// A ViewPlatform for tests: records what the view asked of the window system
// and lets a test set key states, the clock and the dialogs' answers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "render/ViewPlatform.h"

struct RecordedText {
  int x;
  int y;
  std::string text;
  uint32_t colorRef;

  bool operator==(const RecordedText&) const = default;
};

class FakeViewPlatform : public ViewPlatform {
 public:
  int invalidations = 0;
  bool capture = false;
  bool shiftDown = false;
  bool controlDown = false;
  int clockMs = 0;
  std::vector<RecordedText> texts;  // DrawText calls, in order
  int copies = 0;                   // CopyToWindow calls
  PixelBuffer lastCopy;
  std::vector<WindowRect> filledRects;
  std::vector<uint32_t> fillColors;          // FillWindowRect colours, parallel to filledRects
  std::vector<RecordedText> windowTexts;     // DrawWindowText calls (x, y = rect's top-left)
  std::vector<TextBreaks> windowTextBreaks;  // parallel to windowTexts
  // Answers RunDialog; by default every dialog is cancelled.
  std::function<bool(DialogModel&)> dialogHandler;
  // When set, DrawText also writes one pixel of the text colour at (x, y).
  bool markTextPixels = false;

  void Invalidate() override { ++invalidations; }
  void SetCapture() override { capture = true; }
  bool HasCapture() const override { return capture; }
  void ReleaseCapture() override { capture = false; }
  bool IsKeyDown(ModifierKey key) const override {
    return key == ModifierKey::Shift ? shiftDown : controlDown;
  }
  int LocalTimeMsWithinHour() const override { return clockMs; }
  bool RunDialog(DialogModel& dialog) override { return dialogHandler ? dialogHandler(dialog) : false; }
  void DrawText(PixelBuffer& target, int x, int y, std::string_view text, uint32_t colorRef) override {
    texts.push_back({x, y, std::string(text), colorRef});
    if (markTextPixels && !text.empty() && x >= 0 && x < target.width && y >= 0 && y < target.height)
      target.words[static_cast<size_t>(target.height - 1 - y) * target.width + x] = ColorRefToPixel(colorRef);
  }
  void CopyToWindow(const PixelBuffer& stars) override {
    ++copies;
    lastCopy = stars;
  }
  void FillWindowRect(const WindowRect& rect, uint32_t colorRef) override {
    filledRects.push_back(rect);
    fillColors.push_back(colorRef);
  }
  void DrawWindowText(std::string_view text, const WindowRect& rect, uint32_t colorRef,
                      TextBreaks breaks) override {
    windowTexts.push_back({rect.left, rect.top, std::string(text), colorRef});
    windowTextBreaks.push_back(breaks);
  }
};
