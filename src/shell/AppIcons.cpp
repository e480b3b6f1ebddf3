// Icons drawn with QPainter: the application's star-field icon, and toolbar
// images for names ("N"), small names ("n"), designations ("BD"), distances
// (a ruler), magnitude drawing (dots of graded size), star colours (dots
// from blue to red) and constellation figures (stars joined by lines).
#include "shell/AppIcons.h"

#include <QPainter>

#include "interaction/CommandIds.h"

namespace {

constexpr int kButtonSize = 16;

QPixmap TransparentPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPixmap Lettering(const QString& text, int pixelSize, bool bold) {
  QPixmap pixmap = TransparentPixmap(kButtonSize);
  QPainter painter(&pixmap);
  QFont font;
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  painter.setFont(font);
  painter.setPen(QColor(0, 0, 160));
  painter.drawText(QRect(0, 0, kButtonSize, kButtonSize), Qt::AlignCenter, text);
  return pixmap;
}

QPixmap Ruler() {
  QPixmap pixmap = TransparentPixmap(kButtonSize);
  QPainter painter(&pixmap);
  painter.fillRect(QRect(1, 6, 14, 5), QColor(255, 200, 80));
  painter.setPen(Qt::black);
  painter.drawRect(QRect(1, 6, 13, 4));
  for (int x = 3; x < 14; x += 2) painter.drawLine(x, 6, x, x % 4 == 3 ? 9 : 8);
  return pixmap;
}

QPixmap GradedDots() {
  QPixmap pixmap = TransparentPixmap(kButtonSize);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawEllipse(QPointF(2.5, 8), 1, 1);
  painter.drawEllipse(QPointF(6.5, 8), 2, 2);
  painter.drawEllipse(QPointF(12, 8), 3.5, 3.5);
  return pixmap;
}

QPixmap ColouredDots() {
  QPixmap pixmap = TransparentPixmap(kButtonSize);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 0.5));
  const QColor colours[] = {QColor(110, 140, 255), QColor(255, 255, 255), QColor(255, 220, 60),
                            QColor(255, 90, 30)};
  for (int i = 0; i < 4; ++i) {
    painter.setBrush(colours[i]);
    painter.drawEllipse(QPointF(4.5 + 7 * (i % 2), 4.5 + 7 * (i / 2)), 3, 3);
  }
  return pixmap;
}

QPixmap JoinedStars() {
  QPixmap pixmap = TransparentPixmap(kButtonSize);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF stars[] = {{2.5, 12.5}, {6.5, 4.5}, {10.5, 9.5}, {14, 2.5}};
  painter.setPen(QPen(QColor(60, 110, 200), 1.0));
  painter.drawPolyline(stars, 4);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (const QPointF& star : stars) painter.drawEllipse(star, 1.6, 1.6);
  return pixmap;
}

}  // namespace

QPixmap AppIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(QColor(8, 12, 48));
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  struct Star {
    qreal x, y, radius;  // fractions of the icon's size
    QColor color;
  };
  const Star stars[] = {
      {0.30, 0.35, 0.10, QColor(255, 255, 255)}, {0.70, 0.25, 0.05, QColor(200, 220, 255)},
      {0.65, 0.70, 0.08, QColor(255, 230, 160)}, {0.20, 0.80, 0.04, QColor(255, 255, 255)},
      {0.85, 0.55, 0.03, QColor(255, 255, 255)},
  };
  for (const Star& star : stars) {
    painter.setBrush(star.color);
    painter.drawEllipse(QPointF(star.x * size, star.y * size), star.radius * size, star.radius * size);
  }
  return pixmap;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(AppIconPixmap(size));
  return icon;
}

QIcon ToolbarIcon(int commandId) {
  switch (commandId) {
    case cmd::kNames:
      return QIcon(Lettering(QStringLiteral("N"), 14, true));
    case cmd::kSmallNames:
      return QIcon(Lettering(QStringLiteral("n"), 11, false));
    case cmd::kDurchmusterung:
      return QIcon(Lettering(QStringLiteral("BD"), 9, true));
    case cmd::kDistances:
      return QIcon(Ruler());
    case cmd::kMagnitudeDrawing:
      return QIcon(GradedDots());
    case cmd::kStarColours:
      return QIcon(ColouredDots());
    case cmd::kConstellationFigures:
      return QIcon(JoinedStars());
    default:
      return QIcon();
  }
}
