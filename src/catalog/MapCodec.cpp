// Encoding of the map header and records: little-endian fields, the
// encoding's bytes complemented, each string followed by its terminator.
#include "catalog/MapCodec.h"

#include <algorithm>

namespace {

void AppendInt32(std::string& out, int32_t value, uint32_t complementMask) {
  const uint32_t bits = static_cast<uint32_t>(value) ^ complementMask;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(bits >> (8 * i)));
}

}  // namespace

std::array<uint8_t, kMapHeaderBytes> EncodeMapHeader(uint32_t count, const MapEncoding& encoding) {
  std::array<uint8_t, kMapHeaderBytes> header{};
  std::copy(std::begin(kMapMagic), std::end(kMapMagic), header.begin());
  header[7] = kMapVersion;
  header[8] = 0;
  header[kMapSelectorOffset] = encoding.selector;
  header[10] = 1;
  header[11] = 0;  // not used
  for (int i = 0; i < 3; ++i) header[kMapCountOffset + i] = static_cast<uint8_t>(count >> (8 * i));
  return header;
}

void AppendMapRecord(std::string& out, const MapStar& star, const MapEncoding& encoding) {
  for (int i = 0; i < 3; ++i) out.push_back(static_cast<char>(star.catalogNumber >> (8 * i)));
  AppendInt32(out, star.x, encoding.xMask);
  AppendInt32(out, star.y, encoding.yMask);
  AppendInt32(out, star.z, encoding.zMask);
  AppendInt32(out, star.absMag, encoding.magnitudeMask);
  out.append(star.tag);
  out.push_back(static_cast<char>(encoding.terminator));
  out.append(star.name);
  out.push_back(static_cast<char>(encoding.terminator));
}
