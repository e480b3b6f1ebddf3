// StarColours: the "Star Colours" display. Each star's pixels are tinted by
// the colour of its spectral class, read once per loaded catalogue from the
// spectral type in the star's tag. The tint keeps the rasteriser's
// brightness: the brightest channel keeps the grey level, the others scale
// down in proportion to the class colour.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalog/StarCatalog.h"

// kNoColourClass for a tag without a known class; otherwise 1 to 7 for the
// colours of O, B, A, F, G, K and M.
using ColourClass = uint8_t;
inline constexpr ColourClass kNoColourClass = 0;
inline constexpr size_t kColourClasses = 7;  // O, B, A, F, G, K, M

// The colour class of a spectral type such as "K0III", "sdB", "kA3hA7mF2",
// "DA2.5" or "C-N5"; kNoColourClass when it names none.
ColourClass ColourClassOfTag(const char* tag, size_t size);

class StarColours {
 public:
  StarColours();

  // Reads the classes of the catalogue's stars unless they are current: the
  // tags change only when the records are replaced, which changes the
  // catalogue's positions stamp.
  void Prepare(const StarCatalog& catalog);

  // Tints the star pixels of bits, which holds only what the star pass drew
  // (grey words, black where drawn is DrawnStarMap::kNoStar), by the class
  // of the star drawn holds for each.
  void Tint(uint16_t* bits, const int32_t* drawn, size_t words) const;

  // The pixel words of catalogue star index's colour, by the grey level of
  // the word the rasteriser writes (its blue channel); grey levels for a
  // star without a class or before Prepare.
  const uint16_t* LevelsOf(int32_t index) const {
    const uint32_t slot = Slot(index);
    return m_tinted[slot < m_slots ? ClassOfSlot(slot) : kNoColourClass].data();
  }
  // Asks ahead for what LevelsOf(index) reads.
  void Prefetch(int32_t index) const {
    const uint32_t slot = Slot(index);
    if (slot < m_slots) __builtin_prefetch(&m_packed[slot >> 1]);
  }
  static uint16_t Level(uint16_t grey) { return grey & kChannelMax; }

 private:
  static constexpr int kChannelMax = 31;  // 5 bits a channel
  // Slot of a star in m_packed: DrawnStarMap::kNoStar (-1) becomes 0.
  static uint32_t Slot(int32_t star) { return static_cast<uint32_t>(star) + 1u; }
  ColourClass ClassOfSlot(uint32_t slot) const { return (m_packed[slot >> 1] >> ((slot & 1) << 2)) & 0xF; }
  void TintWord(uint16_t* bits, const int32_t* drawn, size_t word) const;

  // The classes by slot, catalogue index + 1 (slot 0 for no star), two a
  // byte, low half first: the tint reads them at random, and packed, more
  // of them fit in the cache.
  std::vector<uint8_t> m_packed;
  size_t m_slots = 0;
  uint64_t m_stamp = 0;
  // By class and grey level 0 to 31; row kNoColourClass keeps the grey.
  std::array<std::array<uint16_t, 32>, kColourClasses + 1> m_tinted{};
};
