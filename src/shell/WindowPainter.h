// The view's window-side drawing on a QPainter: the copy of the star buffer
// and the no-map screen's fill and text. The view widget paints the window
// with it, the headless renderer its output image.
#pragma once

#include <QFont>
#include <QImage>
#include <cstdint>
#include <string_view>
#include <utility>

#include "render/PixelBuffer.h"
#include "render/ViewPlatform.h"

class QPainter;

// A top-down 32-bit image of a bottom-up 5-5-5 buffer, each 5-bit channel
// widened to 8 bits as (v << 3) | (v >> 2).
QImage PixelBufferToImage(const PixelBuffer& buffer);

class WindowPainter {
 public:
  // textFont: the font the window text is drawn in (the window's default font).
  WindowPainter(QPainter& painter, QFont textFont) : m_painter(painter), m_textFont(std::move(textFont)) {}

  void CopyToWindow(const PixelBuffer& stars);
  void FillRect(const WindowRect& rect, uint32_t colorRef);
  // Left-aligned from the top, lines broken as breaks says, clipped to rect,
  // on an opaque black background.
  void DrawText(std::string_view text, const WindowRect& rect, uint32_t colorRef, TextBreaks breaks);

 private:
  QPainter& m_painter;
  QFont m_textFont;
};
