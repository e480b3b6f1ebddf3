// The updating progress line.
#include "ProgressLine.h"

#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

std::string Duration(double seconds) {
  const long total = static_cast<long>(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
  return text;
}

}  // namespace

void ProgressLine::Begin(std::string label) {
  m_label = std::move(label);
  m_start = m_lastDraw = Clock::now();
  m_startRows = UINT64_MAX;
}

void ProgressLine::Draw(uint64_t rowsRead, double fractionRead) {
  const Clock::time_point now = Clock::now();
  if (m_startRows == UINT64_MAX) m_startRows = rowsRead;
  if (now - m_lastDraw < std::chrono::milliseconds(250)) return;
  m_lastDraw = now;
  const double seconds = std::chrono::duration<double>(now - m_start).count();
  const double rate = static_cast<double>(rowsRead - m_startRows) / seconds;
  const double left = fractionRead > 0.0 ? seconds * (1.0 - fractionRead) / fractionRead : 0.0;
  char text[160];
  std::snprintf(text, sizeof text, "%s: %llu rows read, %.0f%%, %.0f rows/s, %s left", m_label.c_str(),
                static_cast<unsigned long long>(rowsRead), 100.0 * fractionRead, rate,
                Duration(left).c_str());
  m_out << "\r\033[K" << text << std::flush;
  m_drawn = true;
}

void ProgressLine::Clear() {
  if (m_drawn) m_out << "\r\033[K" << std::flush;
  m_drawn = false;
}
