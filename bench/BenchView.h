// A view painted the way the window paints it, for the paint benchmarks: the
// document of a benchmark map, a window system that does nothing, and the
// standard observer.
#pragma once

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "BenchMaps.h"
#include "view/SkyglassView.h"

// A stand-in for the window system. The copy to the window copies the star
// buffer into a window-sized array of its own, as a blit would. Text costs a
// little: each character sets the word at its cell's top-left corner (8
// pixels apart) when that lies inside the buffer, instead of drawing glyphs.
// The clock is the machine's, so that key presses are throttled as in the
// window, unless a benchmark sets one of its own (clockMs, for a held key's
// presses). Everything else the view asks for costs nothing.
class BenchPlatform : public ViewPlatform {
 public:
  void Invalidate() override {}
  void SetCapture() override {}
  bool HasCapture() const override { return false; }
  void ReleaseCapture() override {}
  bool IsKeyDown(ModifierKey) const override { return false; }
  int LocalTimeMsWithinHour() const override {
    if (clockMs >= 0) return clockMs;
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count() %
                            3600000);
  }
  bool RunDialog(DialogModel&) override { return false; }
  void DrawText(PixelBuffer& target, int x, int y, std::string_view text, uint32_t colorRef) override {
    const int r = target.height - 1 - y;
    if (r < 0 || r >= target.height) return;
    for (size_t i = 0; i < text.size(); ++i) {
      const int64_t column = x + 8 * static_cast<int64_t>(i);
      if (column >= 0 && column < target.width)
        target.words[static_cast<size_t>(r) * target.width + column] = ColorRefToPixel(colorRef);
    }
  }
  void CopyToWindow(const PixelBuffer& stars) override {
    window.resize(stars.words.size());
    std::copy(stars.words.begin(), stars.words.end(), window.begin());
  }
  void FillWindowRect(const WindowRect&, uint32_t) override {}
  void DrawWindowText(std::string_view, const WindowRect&, uint32_t, TextBreaks) override {}

  std::vector<uint16_t> window;  // what the last copy put on the screen
  int clockMs = -1;              // the time within the hour the view reads; -1: the machine's
};

// A view of BenchDocument(count) at width x height, looking as observer,
// painted once (so its magnitudes are current).
struct BenchView {
  BenchPlatform platform;
  CSkyglassView view;

  BenchView(int64_t count, int width, int height, const BenchObserver& observer = StandardObserver())
      : view(BenchDocument(count), platform) {
    view.m_vPosition = observer.position;
    view.SetLookAngles(observer.yaw, observer.pitch);
    view.m_dZoom = observer.zoom;
    view.OnSize(0, width, height);
    view.OnDraw();
  }
};
