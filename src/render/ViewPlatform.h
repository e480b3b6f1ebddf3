// ViewPlatform: everything the view needs from the window system, in one
// small interface. The Qt layer implements it for the window and for the
// headless renderer; the tests fake it.
#pragma once

#include <cstdint>
#include <string_view>

#include "render/PixelBuffer.h"

class DialogModel;

enum class ModifierKey { Shift, Control };

// Virtual key codes the view tests for.
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkDown = 0x28;

struct WindowRect {
  int left;
  int top;
  int right;
  int bottom;
};

// Where window text may start a new line.
enum class TextBreaks { AtNewlines, AtNewlinesAndWords };

class ViewPlatform {
 public:
  virtual ~ViewPlatform() = default;

  // Asks for one repaint of the whole view; requests before it merge.
  virtual void Invalidate() = 0;

  virtual void SetCapture() = 0;
  virtual bool HasCapture() const = 0;  // this view holds the mouse capture
  virtual void ReleaseCapture() = 0;
  virtual bool IsKeyDown(ModifierKey key) const = 0;

  // Local time as minute*60000 + second*1000 + millisecond.
  virtual int LocalTimeMsWithinHour() const = 0;

  // Runs a modal dialog with data exchange; true when closed with OK.
  virtual bool RunDialog(DialogModel& dialog) = 0;

  // Draws 8-bit (code page 1252) text into a bottom-up buffer, its first
  // character cell's top-left corner at window column x, line y; glyphs in the
  // text colour, the rest of each cell black. Clipped to the buffer.
  virtual void DrawText(PixelBuffer& target, int x, int y, std::string_view text, uint32_t colorRef) = 0;

  // Copies the star buffer to the window at (0, 0).
  virtual void CopyToWindow(const PixelBuffer& stars) = 0;

  // Window painting for the screen shown without a map.
  virtual void FillWindowRect(const WindowRect& rect, uint32_t colorRef) = 0;
  // Text from the rectangle's top-left, lines broken at '\n' (and, with
  // AtNewlinesAndWords, between words where a line would not fit), clipped.
  virtual void DrawWindowText(std::string_view text, const WindowRect& rect, uint32_t colorRef,
                              TextBreaks breaks) = 0;
};
