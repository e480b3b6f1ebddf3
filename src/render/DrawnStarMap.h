// DrawnStarMap: which star each pixel of the star buffer shows. The star pass
// writes it beside the pixels, so that the star under the pointer is found
// without looking at the catalogue again.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

struct DrawnStarMap {
  static constexpr int32_t kNoStar = -1;

  int width = 0;
  int height = 0;
  // Bottom-up like the star buffer: entry r * width + c is column c of memory
  // row r. The catalogue index of the star whose write the pixel holds (the
  // later star where stars overlap), or kNoStar where no star was drawn.
  std::vector<int32_t> index;

  void Resize(int w, int h) {
    width = w;
    height = h;
    index.assign(static_cast<size_t>(w) * static_cast<size_t>(h), kNoStar);
  }
  void Clear() { std::fill(index.begin(), index.end(), kNoStar); }
  int32_t* Data() { return index.data(); }

  // The star at column x of window line y counted from the top; kNoStar
  // outside the map.
  int32_t AtWindow(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return kNoStar;
    return index[static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};
