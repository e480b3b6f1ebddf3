// Star colours: the class table, the reading of a spectral type's class and
// the tint of the drawn star pixels. A star pixel is grey, its three channels
// equal; the blue channel gives its level.
#include "render/StarColours.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "parallel/ParallelRange.h"

namespace {

struct ClassColour {
  char letter;  // the table's class
  uint8_t red, green, blue;
};

// Mitchell Charity, "What color are the stars?", the OBAFGKM table of
// main-sequence stars of subclass 5, Sp5(V), as sRGB with a D65 white point:
// http://www.vendian.org/mncharity/dir3/starcolor/
constexpr ClassColour kClassColours[] = {
    {'O', 155, 176, 255}, {'B', 170, 191, 255}, {'A', 202, 215, 255}, {'F', 248, 247, 255},
    {'G', 255, 244, 234}, {'K', 255, 210, 161}, {'M', 255, 204, 111},
};
static_assert(std::size(kClassColours) == kColourClasses);
constexpr ColourClass kO = 1, kB = 2, kA = 3, kF = 4, kG = 5, kK = 6, kM = 7;

// The table's row for a class letter. The rarer letters take the row of the
// class nearest in temperature:
// - W, Wolf-Rayet stars, are as hot as the hottest O stars;
// - D, white dwarfs, mostly have the 8,000 to 30,000 K of the A and B stars: A;
// - R, early carbon stars, have the temperatures of K giants;
// - N and C (carbon stars), S (zirconium-oxide giants) and L, T, Y (brown
//   dwarfs) are as cool as M stars or cooler: M, the reddest the table has.
ColourClass ClassOfLetter(char letter) {
  switch (letter) {
    case 'O':
    case 'W':
      return kO;
    case 'B':
      return kB;
    case 'A':
    case 'D':
      return kA;
    case 'F':
      return kF;
    case 'G':
      return kG;
    case 'K':
    case 'R':
      return kK;
    case 'M':
    case 'N':
    case 'C':
    case 'S':
    case 'L':
    case 'T':
    case 'Y':
      return kM;
    default:
      return kNoColourClass;
  }
}

constexpr int kChannelMax = 31;  // 5 bits a channel

// grey * part / whole, rounded half up.
int Scaled(int grey, int part, int whole) { return (2 * grey * part + whole) / (2 * whole); }

constexpr int64_t kMinStarsPerThread = 65536;

// Grey level (0 to 31) in the colour of a class: each channel level *
// channel / brightest channel, rounded half up, so that the brightest
// channel keeps the level.
uint16_t TintedLevel(int level, const ClassColour& colour) {
  const int brightest = std::max({colour.red, colour.green, colour.blue});
  const int red = Scaled(level, colour.red, brightest);
  const int green = Scaled(level, colour.green, brightest);
  const int blue = Scaled(level, colour.blue, brightest);
  return static_cast<uint16_t>(red << 10 | green << 5 | blue);
}

}  // namespace

// The class letter is the first capital: lower-case prefixes and marks come
// before it in "sdB" (subdwarf), "gK0", "dM3" (Mount Wilson giant and dwarf),
// "kA3hA7mF2" (the K-line type of an Am star), "(G)" and "[WC9]".
ColourClass ColourClassOfTag(const char* tag, size_t size) {
  const char* end = std::find(tag, tag + size, '\0');
  const char* letter = std::find_if(tag, end, [](char c) { return c >= 'A' && c <= 'Z'; });
  return letter == end ? kNoColourClass : ClassOfLetter(*letter);
}

StarColours::StarColours() {
  for (size_t c = 0; c < m_tinted.size(); ++c)
    for (size_t level = 0; level < m_tinted[c].size(); ++level)
      m_tinted[c][level] = TintedLevel(static_cast<int>(level), kClassColours[c]);
}

void StarColours::Prepare(const StarCatalog& catalog) {
  const size_t count = static_cast<size_t>(std::max(catalog.m_nStars, 0));
  if (catalog.PositionsStamp() == m_stamp && m_classes.size() == count) return;
  try {
    m_classes.resize(count);
  } catch (const std::bad_alloc&) {  // without the memory, every star stays grey
    m_classes.clear();
    m_stamp = 0;
    return;
  }
  ForEachChunk(static_cast<int64_t>(count), kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i)
      m_classes[i] = ColourClassOfTag(catalog.m_pStars[i].szTag, sizeof catalog.m_pStars[i].szTag);
  });
  m_stamp = catalog.PositionsStamp();
}

void StarColours::TintWord(uint16_t* bits, const int32_t* drawn, size_t word) const {
  const int32_t star = drawn[word];
  if (star < 0 || static_cast<size_t>(star) >= m_classes.size()) return;
  const ColourClass colourClass = m_classes[star];
  if (colourClass != kNoColourClass) bits[word] = m_tinted[colourClass - 1][bits[word] & kChannelMax];
}

void StarColours::Tint(uint16_t* bits, const int32_t* drawn, size_t words,
                       std::optional<std::span<const uint32_t>> written) const {
  if (written) {
    for (const uint32_t word : *written) TintWord(bits, drawn, word);
  } else {
    for (size_t word = 0; word < words; ++word) TintWord(bits, drawn, word);
  }
}
