// The map header's tests, in the order the loader applies them.
#include "catalog/MapFormat.h"

bool CheckMapHeader(const unsigned char* data, size_t length, MapDiagnosis& diagnosis) {
  // A header byte that the data does not reach makes the header short.
  auto byteIs = [&](size_t offset, unsigned char expected, MapRejection mismatch) {
    if (offset >= length) return RejectMap(diagnosis, MapRejection::ShortHeader, length);
    if (data[offset] == expected) return true;
    diagnosis.foundByte = data[offset];
    return RejectMap(diagnosis, mismatch, offset);
  };
  for (size_t i = 0; i < sizeof kMapMagic; ++i)
    if (!byteIs(i, kMapMagic[i], MapRejection::BadMagic)) return false;
  if (!byteIs(7, kMapVersion, MapRejection::BadVersion)) return false;
  if (!byteIs(8, 0, MapRejection::BadByte8)) return false;
  if (!byteIs(10, 1, MapRejection::BadByte10)) return false;
  if (length < kMapHeaderBytes) return RejectMap(diagnosis, MapRejection::ShortHeader, length);

  diagnosis.complemented = data[kMapSelectorOffset] == kMapComplementedSelector;
  diagnosis.count = ReadU24(data + kMapCountOffset);
  // Every record takes at least 21 bytes, so a larger count cannot be
  // genuine; refusing it here keeps a forged count from sizing the array.
  if (uint64_t{diagnosis.count} * kMinimumRecordBytes > length - kMapHeaderBytes)
    return RejectMap(diagnosis, MapRejection::CountTooLarge, kMapCountOffset);
  return true;
}
