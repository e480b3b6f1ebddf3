// Helpers for the rendering tests: star records placed on given pixels and a
// buffer read back as its lit pixels.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ostream>
#include <vector>

#include "CatalogFill.h"
#include "catalog/StarCatalog.h"
#include "render/PixelBuffer.h"

// One non-black word of a buffer: column, memory row (from the bottom), value.
struct LitPixel {
  int x;
  int r;
  uint16_t value;
  auto operator<=>(const LitPixel&) const = default;
};

inline void PrintTo(const LitPixel& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.r << ": 0x" << std::hex << p.value << std::dec << ")";
}

inline std::vector<LitPixel> Sorted(std::vector<LitPixel> pixels) {
  std::sort(pixels.begin(), pixels.end());
  return pixels;
}

// The lit pixels of a buffer, in the order of Sorted.
inline std::vector<LitPixel> LitPixels(const PixelBuffer& buffer) {
  std::vector<LitPixel> lit;
  for (int r = 0; r < buffer.height; ++r)
    for (int x = 0; x < buffer.width; ++x) {
      const uint16_t word = buffer.words[static_cast<size_t>(r) * buffer.width + x];
      if (word != 0) lit.push_back({x, r, word});
    }
  return Sorted(lit);
}

// A projected coordinate that maps to pixel under trunc(projected * scale + centre):
// half a pixel inside, so truncation towards zero lands on it from either side.
inline double ProjectedFor(int pixel, int centre, double scale) {
  return (pixel + (pixel >= 0 ? 0.5 : -0.5) - centre) / scale;
}

// A visible star 10 light years away with the given projection and magnitude.
inline StarEntry ProjectedStar(double projX, double projY, double magnitude, const char* name = "") {
  StarEntry star{};
  star.dProjX = projX;
  star.dProjY = projY;
  star.dAppMagnitude = magnitude;
  star.dDistance = 10.0;
  star.bVisible = 1;
  std::strncpy(star.szName, name, sizeof star.szName - 1);
  return star;
}

// p in whole millionths of a light year, as the records of a map file hold
// positions.
inline Vector3D InMillionths(const Vector3D& p) {
  return {std::nearbyint(p.x * 1e6) * 1e-6, std::nearbyint(p.y * 1e6) * 1e-6,
          std::nearbyint(p.z * 1e6) * 1e-6};
}
