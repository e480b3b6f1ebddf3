// The code page 1252 table, and UTF-8 <-> code page 1252 with diacritic
// folding for the Latin letters the code page lacks.
#include "text/Cp1252.h"

#include <cstdint>

namespace {

// Characters of bytes 0x80..0x9F; the undefined bytes are the C1 controls of their value.
constexpr char32_t kHighRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

// Base letters of U+0100..U+017F (Latin Extended-A), diacritics removed.
constexpr std::string_view kLatinExtendedABase =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTt"
    "UuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(kLatinExtendedABase.size() == 0x80);

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at text[pos], advancing pos. A malformed
// sequence (overlong, surrogate, beyond U+10FFFF, truncated) consumes one byte
// and gives kInvalid.
char32_t DecodeUtf8(std::string_view text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kInvalid;
  }
  if (pos + length > text.size()) {
    ++pos;
    return kInvalid;
  }
  for (int i = 1; i < length; ++i) {
    const uint8_t next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += length;
  return code;
}

}  // namespace

char32_t Cp1252Character(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighRange[byte - 0x80] : byte;
}

int Cp1252Byte(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<int>(character);
  for (int i = 0; i < 32; ++i)
    if (character == kHighRange[i]) return 0x80 + i;
  return -1;
}

std::string Utf8ToCp1252(std::string_view utf8, bool* replaced) {
  std::string out;
  out.reserve(utf8.size());
  bool anyReplaced = false;
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t code = DecodeUtf8(utf8, pos);
    const int byte = Cp1252Byte(code);
    if (byte >= 0) {
      out.push_back(static_cast<char>(byte));
      continue;
    }
    anyReplaced = true;
    if (code >= 0x100 && code < 0x180) {
      out.push_back(kLatinExtendedABase[code - 0x100]);
    } else if (code >= 0x300 && code < 0x370) {
      // A combining mark: the letter it decorates is already written.
    } else {
      out.push_back('?');
    }
  }
  if (replaced) *replaced = anyReplaced;
  return out;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char c : text) AppendUtf8(out, Cp1252Character(static_cast<unsigned char>(c)));
  return out;
}
