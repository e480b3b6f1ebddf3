// The star pass for one star: the position tests, the magnitude classes and
// the diamond-shaped discs of the brightest stars, written straight into the
// pixel words of a buffer and, optionally, its drawn-star map.
#pragma once

#include <algorithm>
#include <cstdint>

#include "catalog/StarEntry.h"
#include "render/PixelBuffer.h"
#include "render/ScreenMapping.h"

// Where the star pass writes: the pixels, and optionally which star each holds.
struct StarTarget {
  uint16_t* bits;
  int32_t* drawn;  // may be null
};

inline void PlotStar(const StarTarget& target, size_t word, uint16_t value, int32_t star) {
  target.bits[word] = value;
  if (target.drawn) target.drawn[word] = star;
}

// Writes white into columns first..last of memory row row. Columns left of
// the buffer are clipped; the last column never passes the star's own.
inline void FillDiscRow(const StarTarget& target, int width, int64_t row, int64_t first, int64_t last,
                        int32_t star) {
  first = std::max<int64_t>(first, 0);
  if (first > last) return;
  const int64_t begin = row * width + first;
  const int64_t end = row * width + last + 1;
  std::fill(target.bits + begin, target.bits + end, kPixelWhite);
  if (target.drawn) std::fill(target.drawn + begin, target.drawn + end, star);
}

// A disc of size I = trunc(5 - m) whose right-hand column is x. Its centre
// column is x - k; odd sizes are centred on row r, even sizes on the line
// between rows r - 1 and r. Discs that would touch row 0 or leave the top of
// the buffer are skipped whole, as are magnitudes too low for a 32-bit size.
inline void DrawDisc(const StarTarget& target, const ScreenFrame& frame, int64_t x, int64_t r,
                     double magnitude, int32_t star) {
  const double size = 5.0 - magnitude;
  if (!(size < 2147483648.0)) return;
  const int32_t discSize = static_cast<int32_t>(size);
  const int64_t k = discSize >> 1;
  const bool odd = (discSize & 1) != 0;
  if (r - k < 1) return;
  if (odd ? r + k > frame.height - 1 : r + k > frame.height) return;

  const int64_t center = x - k;
  if (odd) {
    for (int64_t d = -k; d <= k; ++d) {
      const int64_t half = k - (d < 0 ? -d : d);
      FillDiscRow(target, frame.width, r + d, center - half, center + half, star);
    }
    return;
  }
  for (int64_t q = 0; q < k; ++q)  // lower half, growing upwards
    FillDiscRow(target, frame.width, r - k + q, center - q, center + q + 1, star);
  for (int64_t t = 0; t < k; ++t) {  // upper half, shrinking upwards
    const int64_t half = k - 1 - t;
    FillDiscRow(target, frame.width, r + t, center - half, center + 1 + half, star);
  }
}

// Draws record index of the catalogue, by magnitude when byMagnitude, else
// as one white pixel.
inline void DrawStar(const StarEntry& star, int32_t index, const ScreenFrame& frame, bool byMagnitude,
                     const StarTarget& target) {
  if (star.bVisible == 0 || star.dDistance < kNearestDrawnDistance) return;
  int32_t x = 0;
  int32_t r = 0;
  if (!ToScreenCoordinate(star.dProjX, kPixelsPerUnit, frame.centerX, x) || x < 0 || x >= frame.width) return;
  if (!ToScreenCoordinate(star.dProjY, -kPixelsPerUnit, frame.centerY, r) || r < 0 || r >= frame.height)
    return;

  const size_t word = static_cast<size_t>(r) * static_cast<size_t>(frame.width) + static_cast<size_t>(x);
  if (!byMagnitude) {
    PlotStar(target, word, kPixelWhite, index);
    return;
  }
  const double m = star.dAppMagnitude;  // exclusive upper bounds; NaN draws nothing
  if (m < 3.0)
    DrawDisc(target, frame, x, r, m, index);
  else if (m < 5.0)
    PlotStar(target, word, kPixelWhite, index);
  else if (m < 6.0)
    PlotStar(target, word, kPixelGrey, index);
  else if (m < 7.0)
    PlotStar(target, word, kPixelDarkGrey, index);
}
