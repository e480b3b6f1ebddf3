// ProgressLine: one line on a terminal that updates as the input is read
// (rows read, percent of the input, rows per second, time left), redrawn a
// few times a second and cleared at the end. Silent when disabled.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

class ProgressLine {
 public:
  ProgressLine(std::ostream& out, bool enabled) : m_out(out), m_enabled(enabled) {}

  // Starts a new input (or a pass over it); label names it on the line.
  void Begin(std::string label);
  // Called for every row; draws at most every quarter second. fractionRead()
  // gives the share of the input read; it is asked only when drawing, as it
  // may cost a system call.
  template <typename Fraction>
  void Update(uint64_t rowsRead, Fraction fractionRead) {
    if (m_enabled && (rowsRead & 4095) == 0) Draw(rowsRead, fractionRead());
  }
  void Clear();

 private:
  void Draw(uint64_t rowsRead, double fractionRead);

  std::ostream& m_out;
  bool m_enabled;
  std::string m_label;
  std::chrono::steady_clock::time_point m_start, m_lastDraw;
  uint64_t m_startRows = 0;
  bool m_drawn = false;
};
