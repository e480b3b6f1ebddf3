// StarLayers: the private buffers of the star pass's extra threads. Each
// thread after the first draws its part of the catalogue into a layer of its
// own; the layers are then laid over the shared buffer in catalogue order,
// so the later star still wins wherever stars overlap.
#pragma once

#include <cstdint>
#include <vector>

#include "render/StarPlot.h"

class StarLayers {
 public:
  // Makes room for count layers of width x height, all blank. False, with
  // no layers, when the memory is not to be had.
  bool Prepare(int width, int height, int count);

  // Layer k, 1 <= k <= count (layer 0 is the shared buffer itself).
  StarTarget Layer(int k, bool withDrawn);

  // Lays layers 1..count over bits (and drawn when not null), each written
  // pixel replacing what is below it, and blanks the layers again.
  void MergeInto(uint16_t* bits, int32_t* drawn, int count);

 private:
  size_t m_words = 0;
  // Layer k's pixels at (k - 1) * m_words; 0 where nothing was drawn (every
  // star pixel is non-zero). Star indices are read only where a pixel is set.
  std::vector<uint16_t> m_bits;
  std::vector<int32_t> m_drawn;
};
