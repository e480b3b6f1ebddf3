// Code page 1252 conversion: bytes 0x00-0x7F and 0xA0-0xFF are the same code
// points as in Unicode; 0x80-0x9F hold the typographic extras. The five
// unassigned bytes map to the C1 control of the same value, as Windows does.
#include "shell/Cp1252.h"

#include <array>

namespace {

constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char16_t DecodeByte(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControlRange[byte - 0x80];
  return byte;
}

char EncodeChar(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (size_t i = 0; i < kHighControlRange.size(); ++i)
    if (kHighControlRange[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

QString DecodeCp1252(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  for (size_t i = 0; i < bytes.size(); ++i)
    text[static_cast<qsizetype>(i)] = QChar(DecodeByte(static_cast<unsigned char>(bytes[i])));
  return text;
}

std::string EncodeCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) bytes.push_back(EncodeChar(c.unicode()));
  return bytes;
}
