// Label text: rendered white on black into a small top-down image of the
// text's cell size, then copied row by row into the bottom-up buffer with
// glyph pixels in the text colour reduced to 5-5-5.
#include "shell/TextDrawer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "framework/Cp1252.h"

namespace {

constexpr int kLabelTenthsOfPoint = 80;

QFont LabelFont(qreal logicalDpiY) {
  QFont font(QStringLiteral("Arial"));
  // Tenths of a point to pixels, rounded to the nearest pixel.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(kLabelTenthsOfPoint * logicalDpiY / 720.0))));
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

}  // namespace

TextDrawer::TextDrawer(qreal logicalDpiY) : m_font(LabelFont(logicalDpiY)), m_metrics(m_font) {}

TextDrawer TextDrawer::ForPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return TextDrawer(screen != nullptr ? screen->logicalDotsPerInchY() : 96.0);
}

void TextDrawer::Draw(PixelBuffer& target, int x, int y, std::string_view text, uint32_t colorRef) const {
  const QString decoded = DecodeCp1252(text);
  const int cellWidth = m_metrics.horizontalAdvance(decoded);
  const int cellHeight = m_metrics.height();
  if (cellWidth <= 0 || cellHeight <= 0) return;

  QImage cell(cellWidth, cellHeight, QImage::Format_RGB32);
  cell.fill(Qt::black);
  {
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(m_font);
    painter.setPen(Qt::white);
    painter.drawText(0, m_metrics.ascent(), decoded);
  }

  const uint16_t glyph = ColorRefToPixel(colorRef);
  for (int row = 0; row < cellHeight; ++row) {
    const int line = y + row;
    if (line < 0 || line >= target.height) continue;
    const QRgb* source = reinterpret_cast<const QRgb*>(cell.constScanLine(row));
    uint16_t* dest = target.Bits() + static_cast<size_t>(target.height - 1 - line) * target.width;
    const int first = std::max(0, -x);
    const int last = std::min(cellWidth, target.width - x);
    for (int column = first; column < last; ++column)
      dest[x + column] = (source[column] & 0xFFFFFF) != 0 ? glyph : 0;
  }
}
