// OverlayCanvas: where the overlay layers draw in a recomputing paint, once
// the stars are in the star frame and the texts in the label buffer. They
// write only pixels that no star and no text holds, so every star and every
// text stays exactly as without them; they write through the frame, which
// notes the words for its next clear and leaves the drawn-star map to the
// stars.
#pragma once

#include <cstddef>
#include <cstdint>

#include <string_view>

#include "render/PixelBuffer.h"
#include "render/StarFrame.h"
#include "render/ViewPlatform.h"

// A point in the star buffer's continuous coordinates: the pixel is
// (trunc(column), trunc(row)), row counted upwards from the bottom, as the
// star pass maps a projection.
struct ScreenPoint {
  double column;
  double row;
};

class OverlayCanvas {
 public:
  // Draws into frame (already attached to a star buffer of width x height), beside
  // the label buffer labels (null: no texts); both must outlive the drawing.
  OverlayCanvas(StarFrame& frame, int width, int height, const PixelBuffer* labels);

  // Column x, memory row r: nothing outside the buffer or where a star or a text is.
  void Plot(int x, int r, uint16_t colour);
  // The straight line from a to b, clipped to the buffer.
  void Line(ScreenPoint a, ScreenPoint b, uint16_t colour);
  // Text drawn through platform with its first cell's top-left corner at
  // window column x, line y; only its glyphs' pixels, not the black of its
  // cells, and no more than kTextWidth x kTextHeight pixels of it.
  void Text(ViewPlatform& platform, int x, int y, std::string_view text, uint32_t colorRef);

  static constexpr int kTextWidth = 256;
  static constexpr int kTextHeight = 32;

 private:
  // The word of a pixel inside the buffer, unless a star or a text holds it.
  void PlotWord(size_t word, uint16_t colour) {
    if (m_drawn[word] == DrawnStarMap::kNoStar && (m_labels == nullptr || m_labels[word] == 0))
      m_frame.WritePixel(word, colour);
  }

  StarFrame& m_frame;
  const int32_t* m_drawn;
  PixelBuffer m_text{kTextWidth, kTextHeight};  // where one text is drawn before it is copied
  const uint16_t* m_labels;
  int m_width;
  int m_height;
};

// Cuts the segment a-b to the part inside [0, width] x [0, height]; false when none is.
bool ClipToScreen(ScreenPoint& a, ScreenPoint& b, int width, int height);
