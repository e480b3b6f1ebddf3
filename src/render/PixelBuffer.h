// PixelBuffer: width x height 16-bit 5-5-5 words (bits 14-10 red, 9-5 green,
// 4-0 blue), bottom-up: memory row 0 is the bottom line of the window, and the
// pixel in column c of memory row r is word r * width + c.
#pragma once

#include <cstdint>
#include <vector>

struct PixelBuffer {
  int width = 0;
  int height = 0;
  std::vector<uint16_t> words;

  PixelBuffer() = default;
  PixelBuffer(int w, int h) : width(w), height(h), words(static_cast<size_t>(w) * static_cast<size_t>(h)) {}

  uint16_t* Bits() { return words.data(); }
  const uint16_t* Bits() const { return words.data(); }
  // Pixel at column x of window line y counted from the top.
  uint16_t AtWindow(int x, int y) const { return words[static_cast<size_t>(height - 1 - y) * width + x]; }
};

// The three pixel values the rasteriser writes.
inline constexpr uint16_t kPixelWhite = 0x7FFF;
inline constexpr uint16_t kPixelGrey = 0x3DEF;
inline constexpr uint16_t kPixelDarkGrey = 0x1CE7;

// 0x00BBGGRR colour values, as the text colours are given.
inline constexpr uint32_t kColorBlue = 0xFF0000;
inline constexpr uint32_t kColorOrange = 0x007FFF;
inline constexpr uint32_t kColorRed = 0x0000FF;
inline constexpr uint32_t kColorBlack = 0x000000;

// Reduces a 0x00BBGGRR colour to a 5-5-5 word by keeping each channel's top five bits.
inline constexpr uint16_t ColorRefToPixel(uint32_t colorRef) {
  const uint32_t r = (colorRef & 0xFF) >> 3;
  const uint32_t g = ((colorRef >> 8) & 0xFF) >> 3;
  const uint32_t b = ((colorRef >> 16) & 0xFF) >> 3;
  return static_cast<uint16_t>((r << 10) | (g << 5) | b);
}
