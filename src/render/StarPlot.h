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
// Every write replaces what the word held, so the star drawn last wins.
struct StarTarget {
  uint16_t* bits;
  int32_t* drawn;  // may be null

  void Fill(size_t begin, size_t end, uint16_t value, int32_t star) const {
    std::fill(bits + begin, bits + end, value);
    if (drawn) std::fill(drawn + begin, drawn + end, star);
  }
};

// How a star that lands in the buffer is drawn, decided by its distance and
// apparent magnitude alone: not at all, as one pixel of a grey level, or as
// a disc. Codes above zero are pixel levels, below zero minus a disc size.
inline constexpr int32_t kDrawNothing = 0;
inline constexpr int32_t kDrawWhite = 1;
inline constexpr int32_t kDrawGrey = 2;
inline constexpr int32_t kDrawDarkGrey = 3;

inline uint16_t CodePixel(int32_t code) {
  return code == kDrawWhite ? kPixelWhite : code == kDrawGrey ? kPixelGrey : kPixelDarkGrey;
}

// Stars nearer than kNearestDrawnDistance are never drawn. By magnitude, the
// bounds are exclusive and NaN draws nothing; a disc has size trunc(5 - m),
// and magnitudes too low for a 32-bit size draw nothing. Otherwise every
// star is one white pixel.
inline int32_t StarDrawCode(double distance, double magnitude, bool byMagnitude) {
  if (distance < kNearestDrawnDistance) return kDrawNothing;
  if (!byMagnitude) return kDrawWhite;
  if (magnitude < 3.0) {
    const double size = 5.0 - magnitude;
    if (!(size < 2147483648.0)) return kDrawNothing;
    return -static_cast<int32_t>(size);
  }
  if (magnitude < 5.0) return kDrawWhite;
  if (magnitude < 6.0) return kDrawGrey;
  if (magnitude < 7.0) return kDrawDarkGrey;
  return kDrawNothing;
}

// StarDrawCode by magnitude of a star of class magnitudeClass, which is not
// kClassLowerStill (whose record tells).
inline int32_t ClassDrawCode(uint8_t magnitudeClass) {
  switch (magnitudeClass) {
    case kClassNear:
    case kClassFaint:
      return kDrawNothing;
    case kClassDarkGrey:
      return kDrawDarkGrey;
    case kClassGrey:
      return kDrawGrey;
    case kClassWhite:
      return kDrawWhite;
    default:
      return -(magnitudeClass - kClassFirstDisc + 2);
  }
}

// MayGetLabel of a star of class magnitudeClass: a magnitude below 3, or a
// name and a magnitude below 5.
inline bool ClassMayGetLabel(uint8_t magnitudeClass, bool named) {
  return magnitudeClass >= kClassFirstDisc || (named && magnitudeClass == kClassWhite);
}

// Writes white into columns first..last of memory row row. Columns left of
// the buffer are clipped; the last column never passes the star's own.
template <class Target>
void FillDiscRow(Target& target, int width, int64_t row, int64_t first, int64_t last, int32_t star) {
  first = std::max<int64_t>(first, 0);
  if (first > last) return;
  const int64_t begin = row * width + first;
  target.Fill(static_cast<size_t>(begin), static_cast<size_t>(row * width + last + 1), kPixelWhite, star);
}

// The memory rows low..high that a disc of size discSize centred at row r
// covers: odd sizes are centred on row r, even sizes on the line between
// rows r - 1 and r. False for a disc that would touch row 0 or leave the top
// of the buffer: such a disc is skipped whole.
inline bool DiscRows(const ScreenFrame& frame, int64_t r, int32_t discSize, int64_t& low, int64_t& high) {
  const int64_t k = discSize >> 1;
  const bool odd = (discSize & 1) != 0;
  if (r - k < 1) return false;
  if (odd ? r + k > frame.height - 1 : r + k > frame.height) return false;
  low = r - k;
  high = odd ? r + k : r + k - 1;
  return true;
}

// A disc of size discSize whose right-hand column is x, its centre column
// x - k, on the rows of DiscRows.
template <class Target>
void DrawDisc(Target& target, const ScreenFrame& frame, int64_t x, int64_t r, int32_t discSize,
              int32_t star) {
  int64_t low = 0;
  int64_t high = 0;
  if (!DiscRows(frame, r, discSize, low, high)) return;
  const int64_t k = discSize >> 1;
  const bool odd = (discSize & 1) != 0;
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

// The column x and memory row r of the pixel a projection (projX, projY)
// lands on; false when that is outside the buffer.
inline bool StarPixel(const ScreenFrame& frame, double projX, double projY, int32_t& x, int32_t& r) {
  if (!ToScreenCoordinate(projX, kPixelsPerUnit, frame.centerX, x) || x < 0 || x >= frame.width) return false;
  return ToScreenCoordinate(projY, -kPixelsPerUnit, frame.centerY, r) && r >= 0 && r < frame.height;
}

// The pixel or disc of code for a star whose pixel is (x, r), inside the buffer.
template <class Target>
void DrawCodedStarAt(Target& target, const ScreenFrame& frame, int32_t x, int32_t r, int32_t code,
                     int32_t star) {
  if (code < 0) {
    DrawDisc(target, frame, x, r, -code, star);
    return;
  }
  const size_t word = static_cast<size_t>(r) * static_cast<size_t>(frame.width) + static_cast<size_t>(x);
  target.Fill(word, word + 1, CodePixel(code), star);
}

// The pixel or disc of code for a star whose projection lands at (projX,
// projY); nothing when that is outside the buffer.
template <class Target>
void DrawCodedStar(Target& target, const ScreenFrame& frame, double projX, double projY, int32_t code,
                   int32_t star) {
  int32_t x = 0;
  int32_t r = 0;
  if (StarPixel(frame, projX, projY, x, r)) DrawCodedStarAt(target, frame, x, r, code, star);
}

// Draws record index of the catalogue, by magnitude when byMagnitude, else
// as one white pixel.
inline void DrawStar(const StarEntry& star, int32_t index, const ScreenFrame& frame, bool byMagnitude,
                     StarTarget target) {
  if (star.bVisible == 0) return;
  const int32_t code = StarDrawCode(star.dDistance, star.dAppMagnitude, byMagnitude);
  if (code != kDrawNothing) DrawCodedStar(target, frame, star.dProjX, star.dProjY, code, index);
}
