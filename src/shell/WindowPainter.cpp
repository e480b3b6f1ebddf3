// Window-side drawing of the view.
#include "shell/WindowPainter.h"

#include <QPainter>

#include "framework/Cp1252.h"

namespace {

QColor ColorFromRef(uint32_t colorRef) {
  return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

QRect RectFrom(const WindowRect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

int Widen(int fiveBits) { return (fiveBits << 3) | (fiveBits >> 2); }

}  // namespace

QImage PixelBufferToImage(const PixelBuffer& buffer) {
  QImage image(buffer.width, buffer.height, QImage::Format_RGB32);
  for (int line = 0; line < buffer.height; ++line) {
    const uint16_t* source = buffer.Bits() + static_cast<size_t>(buffer.height - 1 - line) * buffer.width;
    QRgb* dest = reinterpret_cast<QRgb*>(image.scanLine(line));
    for (int column = 0; column < buffer.width; ++column) {
      const uint16_t word = source[column];
      dest[column] = qRgb(Widen((word >> 10) & 0x1F), Widen((word >> 5) & 0x1F), Widen(word & 0x1F));
    }
  }
  return image;
}

void WindowPainter::CopyToWindow(const PixelBuffer& stars) {
  m_painter.drawImage(0, 0, PixelBufferToImage(stars));
}

void WindowPainter::FillRect(const WindowRect& rect, uint32_t colorRef) {
  m_painter.fillRect(RectFrom(rect), ColorFromRef(colorRef));
}

void WindowPainter::DrawText(std::string_view text, const WindowRect& rect, uint32_t colorRef,
                             TextBreaks breaks) {
  const QRect bounds = RectFrom(rect);
  m_painter.save();
  m_painter.setClipRect(bounds);
  m_painter.setFont(m_textFont);
  m_painter.setPen(ColorFromRef(colorRef));
  m_painter.setBackgroundMode(Qt::OpaqueMode);
  m_painter.setBackground(Qt::black);
  const int wrap = breaks == TextBreaks::AtNewlinesAndWords ? Qt::TextWordWrap : 0;
  m_painter.drawText(bounds, Qt::AlignLeft | Qt::AlignTop | wrap, DecodeCp1252(text));
  m_painter.restore();
}
