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

constexpr int kGreyStep = 1 << 10 | 1 << 5 | 1;  // one level in each channel

// grey * part / whole, rounded half up.
int Scaled(int grey, int part, int whole) { return (2 * grey * part + whole) / (2 * whole); }

constexpr int64_t kMinStarsPerThread = 65536;
constexpr int64_t kMinWordsPerThread = 262144;
// How far ahead, in words, the tint asks for the classes it will read: most
// words of the map hold no star.
constexpr int64_t kMapAhead = 128;

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
  for (size_t level = 0; level < m_tinted[0].size(); ++level)
    m_tinted[0][level] = static_cast<uint16_t>(level * kGreyStep);
  for (size_t c = 1; c < m_tinted.size(); ++c)
    for (size_t level = 0; level < m_tinted[c].size(); ++level)
      m_tinted[c][level] = TintedLevel(static_cast<int>(level), kClassColours[c - 1]);
}

void StarColours::Prepare(const StarCatalog& catalog) {
  const size_t count = static_cast<size_t>(std::max(catalog.m_nStars, 0));
  const size_t slots = count + 1;  // slot 0 for DrawnStarMap::kNoStar, slot i + 1 for star i
  if (catalog.PositionsStamp() == m_stamp && m_slots == slots) return;
  m_slots = 0;
  try {
    m_packed.resize((slots + 1) / 2);
  } catch (const std::bad_alloc&) {  // without the memory, every star stays grey
    m_packed.clear();
    return;
  }
  auto slotClass = [&](size_t slot) {
    if (slot == 0 || slot > count) return kNoColourClass;
    const StarEntry& star = catalog.m_pStars[slot - 1];
    return ColourClassOfTag(star.szTag, sizeof star.szTag);
  };
  ForEachChunk(static_cast<int64_t>(m_packed.size()), kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t b = begin; b < end; ++b)
      m_packed[b] = static_cast<uint8_t>(slotClass(2 * b) | slotClass(2 * b + 1) << 4);
  });
  m_slots = slots;
  m_stamp = catalog.PositionsStamp();
}

// Without a branch on the star or its class, which would be mispredicted at
// random and keep the loads of the classes from overlapping: words without a
// star or a class go through row 0, which gives a grey or black word back.
void StarColours::TintWord(uint16_t* bits, const int32_t* drawn, size_t word) const {
  const uint32_t slot = Slot(drawn[word]);
  if (slot >= m_slots) return;
  bits[word] = m_tinted[ClassOfSlot(slot)][Level(bits[word])];
}

void StarColours::Tint(uint16_t* bits, const int32_t* drawn, size_t words) const {
  if (m_slots == 0) return;
  // Each word is tinted on its own, so the words can be split over the
  // threads. The map is walked in order, but the classes of its stars are
  // read at random: they are asked for a few words ahead.
  ForEachChunk(static_cast<int64_t>(words), kMinWordsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      if (i + kMapAhead < end)
        __builtin_prefetch(&m_packed[std::min<size_t>(Slot(drawn[i + kMapAhead]), m_slots - 1) >> 1]);
      TintWord(bits, drawn, static_cast<size_t>(i));
    }
  });
}
