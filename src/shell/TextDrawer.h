// Draws label text into a bottom-up 5-5-5 pixel buffer: 8-point "Arial"
// (metric-compatible Liberation Sans on Debian) without antialiasing, each
// character cell filled black behind glyphs in the text colour, anchored at
// the cell's top-left corner and clipped to the buffer. The window and the
// headless renderer share it, so both draw identical labels.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <cstdint>
#include <string_view>

#include "render/PixelBuffer.h"

class TextDrawer {
 public:
  // The font's pixel size is 8 points at this many dots per inch, rounded.
  explicit TextDrawer(qreal logicalDpiY);
  // A drawer for the primary screen's logical resolution.
  static TextDrawer ForPrimaryScreen();

  // text is code page 1252; (x, y) is window column and line from the top.
  void Draw(PixelBuffer& target, int x, int y, std::string_view text, uint32_t colorRef) const;
  const QFont& Font() const { return m_font; }

 private:
  QFont m_font;
  QFontMetrics m_metrics;
};
