// The main window's first size counts the window manager's frame, whose
// extents become known only some time after the window is first shown (or
// never, without a window manager). This decides when to apply it.
#pragma once

#include <QSize>
#include <optional>

class OuterSizeCorrection {
 public:
  explicit OuterSizeCorrection(QSize outer) : m_outer(outer) {}

  // Given the window's size with and without its frame: the size without
  // frame that gives the wanted outer size, the first time a frame shows;
  // nothing before it and nothing after.
  std::optional<QSize> WindowSizeFor(QSize withFrame, QSize withoutFrame) {
    if (m_applied || withFrame == withoutFrame) return std::nullopt;
    m_applied = true;
    return m_outer - (withFrame - withoutFrame);
  }

 private:
  QSize m_outer;
  bool m_applied = false;
};
