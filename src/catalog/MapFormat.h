// The map file's layout as the decoders read it: header and record sizes, the
// two encodings, and the decoding of one record's fixed fields.
#pragma once

#include <cstddef>
#include <cstdint>

#include "catalog/StarCatalog.h"

constexpr size_t kMapHeaderBytes = 15;
constexpr size_t kMapCountOffset = 12;
constexpr size_t kFixedRecordBytes = 19;    // catalogue number, x, y, z, absolute magnitude
constexpr size_t kMinimumRecordBytes = 21;  // the fixed part and two empty strings
constexpr unsigned char kMapComplementedSelector = 0x65;

// Which byte of each 32-bit field is stored as 255 - b (an XOR with 0xFF), and
// the byte that ends a string.
struct MapEncoding {
  uint32_t xMask;
  uint32_t yMask;
  uint32_t zMask;
  uint32_t magnitudeMask;
  unsigned char terminator;
};
constexpr MapEncoding kPlainEncoding{0, 0, 0, 0, 0x00};
constexpr MapEncoding kComplementedEncoding{0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000, 0xFF};

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

// Records a rejection and returns false.
inline bool RejectMap(MapDiagnosis& diagnosis, MapRejection rejection, size_t offset, int32_t record = -1) {
  diagnosis.rejection = rejection;
  diagnosis.offset = offset;
  diagnosis.record = record;
  return false;
}

// The header tests in their fixed order. On success the diagnosis holds the
// encoding and the count; a count whose records cannot fit is refused.
bool CheckMapHeader(const unsigned char* data, size_t length, MapDiagnosis& diagnosis);
