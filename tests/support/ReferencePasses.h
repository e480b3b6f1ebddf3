// The straightforward one-thread passes over the star records, kept as the
// reference the fast paths are checked against: projection, distances and
// magnitudes, and the star pass, each a plain loop in catalogue order.
#pragma once

#include <algorithm>
#include <cstdint>

#include "catalog/StarEntry.h"
#include "geometry/MagnitudeTables.h"
#include "geometry/Projection.h"
#include "render/PixelBuffer.h"
#include "render/ScreenMapping.h"

namespace reference {

inline void ProjectStars(StarEntry* stars, int64_t count, const Vector3D& position, const Vector3D& forward,
                         const Vector3D& scaledRight, const Vector3D& scaledDown) {
  for (int64_t i = 0; i < count; ++i) {
    StarEntry& star = stars[i];
    ProjectedPoint projected;
    if (ProjectPoint(star.vPos, position, forward, scaledRight, scaledDown, projected)) {
      star.dProjX = projected.x;
      star.dProjY = projected.y;
      star.bVisible = 1;
    } else {
      star.bVisible = 0;
    }
  }
}

inline void UpdateMagnitudes(StarEntry* stars, int64_t count, const Vector3D& position) {
  const MagnitudeTables& tables = MagnitudeTables::Get();
  for (int64_t i = 0; i < count; ++i) {
    StarEntry& star = stars[i];
    star.dDistance = tables.Distance(SquaredDistance(star.vPos, position));
    star.dAppMagnitude = star.dAbsMagnitude + tables.Modulus(star.dDistance);
  }
}

// Where the star pass writes: the pixels, and optionally which star each holds.
struct StarTarget {
  uint16_t* bits;
  int32_t* drawn;  // may be null
  int32_t star;    // catalogue index of the star being drawn
};

inline void Plot(const StarTarget& target, size_t word, uint16_t value) {
  target.bits[word] = value;
  if (target.drawn) target.drawn[word] = target.star;
}

// Writes white into columns first..last of memory row row. Columns left of
// the buffer are clipped; the last column never passes the star's own.
inline void FillDiscRow(const StarTarget& target, int width, int64_t row, int64_t first, int64_t last) {
  first = std::max<int64_t>(first, 0);
  if (first > last) return;
  const int64_t begin = row * width + first;
  const int64_t end = row * width + last + 1;
  std::fill(target.bits + begin, target.bits + end, kPixelWhite);
  if (target.drawn) std::fill(target.drawn + begin, target.drawn + end, target.star);
}

// A disc of size I = trunc(5 - m) whose right-hand column is x. Its centre
// column is x - k; odd sizes are centred on row r, even sizes on the line
// between rows r - 1 and r. Discs that would touch row 0 or leave the top of
// the buffer are skipped whole, as are magnitudes too low for a 32-bit size.
inline void DrawDisc(const StarTarget& target, const ScreenFrame& frame, int64_t x, int64_t r,
                     double magnitude) {
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
      FillDiscRow(target, frame.width, r + d, center - half, center + half);
    }
    return;
  }
  for (int64_t q = 0; q < k; ++q)  // lower half, growing upwards
    FillDiscRow(target, frame.width, r - k + q, center - q, center + q + 1);
  for (int64_t t = 0; t < k; ++t) {  // upper half, shrinking upwards
    const int64_t half = k - 1 - t;
    FillDiscRow(target, frame.width, r + t, center - half, center + 1 + half);
  }
}

inline void RenderStars(const StarEntry* stars, int count, const ScreenFrame& frame, int magnitudeDrawing,
                        int magnitudesValid, uint16_t* bits, int32_t* drawn) {
  const bool byMagnitude = magnitudeDrawing != 0 && magnitudesValid != 0;
  for (int i = 0; i < count; ++i) {
    const StarEntry& star = stars[i];
    if (star.bVisible == 0 || star.dDistance < kNearestDrawnDistance) continue;
    int32_t x = 0;
    int32_t r = 0;
    if (!ToScreenCoordinate(star.dProjX, kPixelsPerUnit, frame.centerX, x) || x < 0 || x >= frame.width)
      continue;
    if (!ToScreenCoordinate(star.dProjY, -kPixelsPerUnit, frame.centerY, r) || r < 0 || r >= frame.height)
      continue;

    const StarTarget target{bits, drawn, i};
    const size_t word = static_cast<size_t>(r) * static_cast<size_t>(frame.width) + static_cast<size_t>(x);
    if (!byMagnitude) {
      Plot(target, word, kPixelWhite);
      continue;
    }
    const double m = star.dAppMagnitude;  // exclusive upper bounds; NaN draws nothing
    if (m < 3.0)
      DrawDisc(target, frame, x, r, m);
    else if (m < 5.0)
      Plot(target, word, kPixelWhite);
    else if (m < 6.0)
      Plot(target, word, kPixelGrey);
    else if (m < 7.0)
      Plot(target, word, kPixelDarkGrey);
  }
}

}  // namespace reference
