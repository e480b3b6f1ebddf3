// OverlayCanvas: where the overlay layers draw in a recomputing paint. They
// write only star-buffer pixels that no star and no label holds, so every
// star and every text stays exactly as without them, and the drawn-star map
// keeps holding stars only. Every word lit is noted, and made black again
// before the next frame's stars are drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/PixelBuffer.h"

// A point in the star buffer's continuous coordinates: the pixel is
// (trunc(column), trunc(row)), row counted upwards from the bottom, as the
// star pass maps a projection.
struct ScreenPoint {
  double column;
  double row;
};

class OverlayCanvas {
 public:
  // Blackens the words the last frame's overlays lit in stars, unless stars
  // is another buffer than the one they were drawn into.
  void EraseLastFrame(PixelBuffer& stars);
  // Begins drawing into stars, beside its drawn-star map (stars' words long)
  // and the label buffer (null: no texts).
  void Begin(PixelBuffer& stars, const int32_t* drawn, const PixelBuffer* labels);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Column x, memory row r: nothing outside the buffer or where a star or a text is.
  void Plot(int x, int r, uint16_t colour);
  // The straight line from a to b, clipped to the buffer.
  void Line(ScreenPoint a, ScreenPoint b, uint16_t colour);

  // The words lit since Begin, in the order lit.
  const std::vector<uint32_t>& Lit() const { return m_lit; }

 private:
  uint16_t* m_bits = nullptr;
  const int32_t* m_drawn = nullptr;
  const uint16_t* m_labels = nullptr;
  const PixelBuffer* m_buffer = nullptr;
  size_t m_words = 0;
  int m_width = 0;
  int m_height = 0;
  std::vector<uint32_t> m_lit;
};

// Cuts the segment a-b to the part inside [0, width] x [0, height]; false when none is.
bool ClipToScreen(ScreenPoint& a, ScreenPoint& b, int width, int height);
