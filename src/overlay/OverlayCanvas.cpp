// Drawing the overlays' pixels, lines and texts where no star or label is.
#include "overlay/OverlayCanvas.h"

#include <algorithm>
#include <cmath>

#include "render/DrawnStarMap.h"

OverlayCanvas::OverlayCanvas(StarFrame& frame, int width, int height, const PixelBuffer* labels)
    : m_frame(frame),
      m_drawn(frame.DrawnStars().index.data()),
      m_labels(labels != nullptr && labels->words.size() == frame.Words() ? labels->Bits() : nullptr),
      m_width(width),
      m_height(height) {}

void OverlayCanvas::Plot(int x, int r, uint16_t colour) {
  if (x < 0 || r < 0 || x >= m_width || r >= m_height) return;
  const size_t word = static_cast<size_t>(r) * static_cast<size_t>(m_width) + static_cast<size_t>(x);
  if (word < m_frame.Words()) PlotWord(word, colour);
}

bool ClipToScreen(ScreenPoint& a, ScreenPoint& b, int width, int height) {
  // Liang-Barsky: the segment a + t (b - a), t in [0, 1], against the four edges.
  const double dx = b.column - a.column;
  const double dy = b.row - a.row;
  double enter = 0.0;
  double leave = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.column, width - a.column, a.row, height - a.row};
  for (int edge = 0; edge < 4; ++edge) {
    if (!std::isfinite(q[edge]) || !std::isfinite(p[edge])) return false;
    if (p[edge] == 0.0) {
      if (q[edge] < 0.0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[edge] / p[edge];
    if (p[edge] < 0.0)
      enter = std::max(enter, t);
    else
      leave = std::min(leave, t);
    if (enter > leave) return false;
  }
  const ScreenPoint from = a;
  a = {from.column + dx * enter, from.row + dy * enter};
  b = {from.column + dx * leave, from.row + dy * leave};
  return true;
}

void OverlayCanvas::Line(ScreenPoint a, ScreenPoint b, uint16_t colour) {
  if (!ClipToScreen(a, b, m_width, m_height)) return;
  const double dx = b.column - a.column;
  const double dy = b.row - a.row;
  const int steps = static_cast<int>(std::ceil(std::max(std::fabs(dx), std::fabs(dy))));
  const double perStep = steps == 0 ? 0.0 : 1.0 / steps;
  // A point on the right or top edge itself belongs to the last pixel.
  auto pixel = [](double v, int size) { return std::clamp(static_cast<int>(v), 0, size - 1); };
  if (static_cast<size_t>(m_width) * static_cast<size_t>(m_height) > m_frame.Words()) return;
  for (int i = 0; i <= steps; ++i) {
    const double t = i * perStep;
    const size_t x = static_cast<size_t>(pixel(a.column + dx * t, m_width));
    const size_t r = static_cast<size_t>(pixel(a.row + dy * t, m_height));
    PlotWord(r * static_cast<size_t>(m_width) + x, colour);
  }
}

void OverlayCanvas::Text(ViewPlatform& platform, int x, int y, std::string_view text, uint32_t colorRef) {
  std::fill(m_text.words.begin(), m_text.words.end(), uint16_t{0});
  platform.DrawText(m_text, 0, 0, text, colorRef);
  // Line l of the text's buffer (from its top) is window line y + l, memory row height - 1 - (y + l).
  for (int l = 0; l < kTextHeight; ++l) {
    const uint16_t* row = m_text.Bits() + static_cast<size_t>(kTextHeight - 1 - l) * kTextWidth;
    for (int c = 0; c < kTextWidth; ++c)
      if (row[c] != 0) Plot(x + c, m_height - 1 - (y + l), row[c]);
  }
}
