// The base units of a dialog font.
#include "framework/DialogUnits.h"

#include <QFontMetrics>

DialogUnits DialogUnits::ForFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits((letters / 26 + 1) / 2, metrics.height());
}
