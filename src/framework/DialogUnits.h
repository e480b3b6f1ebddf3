// Dialog units: template coordinates scaled by the dialog font, as the
// desktop's dialog manager does. One horizontal unit is a quarter of the
// font's average character width, one vertical unit an eighth of its height.
#pragma once

#include <QRect>

class QFont;

// A rectangle of a dialog template, in dialog units.
struct DluRect {
  int x;
  int y;
  int cx;
  int cy;
};

class DialogUnits {
 public:
  // baseX: average character width, baseY: character height, in pixels.
  DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}
  // The base units of a font: the width of the 52 letters A-Z a-z over 52,
  // rounded, and the font's height.
  static DialogUnits ForFont(const QFont& font);

  int ToPixelsX(int units) const { return Scale(units, m_baseX, 4); }
  int ToPixelsY(int units) const { return Scale(units, m_baseY, 8); }
  QRect ToPixels(const DluRect& rect) const {
    return {ToPixelsX(rect.x), ToPixelsY(rect.y), ToPixelsX(rect.cx), ToPixelsY(rect.cy)};
  }

 private:
  // units * base / divisor, rounded to the nearest pixel.
  static int Scale(int units, int base, int divisor) { return (units * base + divisor / 2) / divisor; }

  int m_baseX;
  int m_baseY;
};
