// The map file format's one home, for the program's loader and the map tools'
// writer alike: the header's bytes, the limits of its fields, the two record
// encodings, the encoding of a record and the decoding of its fixed fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/StarEntry.h"

constexpr unsigned char kMapMagic[] = {'s', 't', 'a', 'r', 'm', 'a', 'p'};
constexpr unsigned char kMapVersion = 2;
constexpr size_t kMapHeaderBytes = 15;
constexpr size_t kMapSelectorOffset = 9;
constexpr size_t kMapCountOffset = 12;
constexpr size_t kFixedRecordBytes = 19;    // catalogue number, x, y, z, absolute magnitude
constexpr size_t kMinimumRecordBytes = 21;  // the fixed part and two empty strings
constexpr unsigned char kMapComplementedSelector = 0x65;

constexpr uint32_t kMaxCatalogNumber = 0xFFFFFF;  // 24 bits
constexpr uint32_t kMaxStarCount = 0xFFFFFF;      // 24 bits
constexpr size_t kMaxTagLength = sizeof StarEntry::szTag - 1;
constexpr size_t kMaxNameLength = sizeof StarEntry::szName - 1;

// One encoding: which byte of each 32-bit field is stored as 255 - b (an XOR
// with 0xFF), the byte that ends a string, and the header's selector byte.
struct MapEncoding {
  uint32_t xMask;
  uint32_t yMask;
  uint32_t zMask;
  uint32_t magnitudeMask;
  unsigned char terminator;
  unsigned char selector;
  std::string_view name;  // compared by its text, not by where the literal lies
  bool operator==(const MapEncoding&) const = default;
};
inline constexpr MapEncoding kPlainEncoding{0, 0, 0, 0, 0x00, 0x00, "plain"};
inline constexpr MapEncoding kComplementedEncoding{
    0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000, 0xFF, kMapComplementedSelector, "complemented"};

// One record as stored: fixed-point fields in millionths, 8-bit strings.
struct MapStar {
  uint32_t catalogNumber = 0;   // at most kMaxCatalogNumber
  int32_t x = 0, y = 0, z = 0;  // millionths of a light year
  int32_t absMag = 0;           // millionths of a magnitude
  std::string tag;              // at most kMaxTagLength bytes, without the encoding's terminator
  std::string name;             // at most kMaxNameLength bytes, likewise
};

std::array<uint8_t, kMapHeaderBytes> EncodeMapHeader(uint32_t count, const MapEncoding& encoding);

// Appends the record's 21 + tag + name bytes.
void AppendMapRecord(std::string& out, const MapStar& star, const MapEncoding& encoding);

inline uint32_t ReadU24(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
}

inline uint32_t ReadU32(const unsigned char* p) { return ReadU24(p) | uint32_t{p[3]} << 24; }

// Values are N * 1e-6, a product, never N / 1000000.
inline double DecodeMillionths(const unsigned char* p, uint32_t complementMask) {
  const int32_t n = static_cast<int32_t>(ReadU32(p) ^ complementMask);
  return static_cast<double>(n) * 1e-6;
}

// The catalogue number, position and absolute magnitude from a record's first
// 19 bytes. The working values are left as they are.
inline void DecodeFixedFields(const unsigned char* record, const MapEncoding& encoding, StarEntry& star) {
  star.nCatalogNumber = static_cast<int32_t>(ReadU24(record));
  star.vPos.x = DecodeMillionths(record + 3, encoding.xMask);
  star.vPos.y = DecodeMillionths(record + 7, encoding.yMask);
  star.vPos.z = DecodeMillionths(record + 11, encoding.zMask);
  star.dAbsMagnitude = DecodeMillionths(record + 15, encoding.magnitudeMask);
}
