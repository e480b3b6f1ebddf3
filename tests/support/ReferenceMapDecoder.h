// The straightforward serial map decoder, kept as the reference the loader
// must match: one record after another with a byte cursor, each string found
// with memchr. Same header tests, same zeroed records, same diagnosis.
#pragma once

#include <cstring>

#include "catalog/MapFormat.h"
#include "catalog/StarCatalog.h"

namespace reference_decoder {

// Copies the string at the cursor into a field of the given width, cut so
// that the field stays terminated, and moves the cursor past its terminator.
inline bool CopyString(const unsigned char* data, size_t length, size_t& cursor, unsigned char terminator,
                       char* field, size_t width, int32_t record, MapDiagnosis& diagnosis) {
  const unsigned char* start = data + cursor;
  const void* end = std::memchr(start, terminator, length - cursor);
  if (!end) return RejectMap(diagnosis, MapRejection::UnterminatedString, cursor, record);
  const size_t stringLength = static_cast<size_t>(static_cast<const unsigned char*>(end) - start);
  const size_t kept = stringLength < width ? stringLength : width - 1;
  std::memcpy(field, start, kept);
  field[kept] = 0;
  cursor += stringLength + 1;
  return true;
}

inline bool DecodeRecords(const unsigned char* data, size_t length, StarEntry* stars,
                          MapDiagnosis& diagnosis) {
  const MapEncoding& encoding = diagnosis.complemented ? kComplementedEncoding : kPlainEncoding;
  const auto count = static_cast<int32_t>(diagnosis.count);
  size_t cursor = kMapHeaderBytes;
  for (int32_t j = 0; j < count; ++j) {
    if (length - cursor < kFixedRecordBytes)
      return RejectMap(diagnosis, MapRejection::TruncatedRecord, cursor, j);
    StarEntry& star = stars[j];
    DecodeFixedFields(data + cursor, encoding, star);
    star.dProjX = star.dProjY = star.dDistance = star.dAppMagnitude = 0.0;
    star.bVisible = 0;
    cursor += kFixedRecordBytes;
    if (!CopyString(data, length, cursor, encoding.terminator, star.szTag, sizeof star.szTag, j, diagnosis))
      return false;
    if (!CopyString(data, length, cursor, encoding.terminator, star.szName, sizeof star.szName, j, diagnosis))
      return false;
  }
  diagnosis.endOffset = cursor;
  return true;
}

}  // namespace reference_decoder

// Loads like StarCatalog::LoadStarMap from memory, serially.
inline int ReferenceLoadStarMap(StarCatalog& catalog, const unsigned char* data, size_t length,
                                MapDiagnosis& diagnosis) {
  catalog.Release();
  diagnosis = MapDiagnosis{};
  if (!CheckMapHeader(data, length, diagnosis)) return 0;
  if (!catalog.Allocate(static_cast<int32_t>(diagnosis.count)))
    return RejectMap(diagnosis, MapRejection::OutOfMemory, kMapCountOffset);
  if (!reference_decoder::DecodeRecords(data, length, catalog.m_pStars, diagnosis)) {
    catalog.Release();
    return 0;
  }
  return 1;
}
