// Test helpers that compare the loader with the reference decoder: a load
// through the loader's decoder with chosen chunk size and thread count, and
// whether two loads ended alike.
#pragma once

#include <cstring>

#include "ReferenceMapDecoder.h"
#include "catalog/MapDecoder.h"

// Loads as StarCatalog::LoadStarMap does, but on recordsPerChunk-record chunks and up to workers threads.
inline int LoadInChunks(StarCatalog& catalog, const unsigned char* data, size_t length,
                        MapDiagnosis& diagnosis, int64_t recordsPerChunk, unsigned workers) {
  catalog.Release();
  diagnosis = MapDiagnosis{};
  if (!CheckMapHeader(data, length, diagnosis)) return 0;
  if (!catalog.Allocate(static_cast<int32_t>(diagnosis.count)))
    return RejectMap(diagnosis, MapRejection::OutOfMemory, kMapCountOffset);
  if (DecodeMapRecords(data, length, diagnosis, catalog.m_pStars, recordsPerChunk, workers)) return 1;
  catalog.Release();
  return 0;
}

struct MapLoad {
  int loaded = 0;
  StarCatalog catalog;
  MapDiagnosis diagnosis;
};

// The same result and diagnosis, and on success the same records byte for byte
// (working values and the bytes after each terminator too).
inline bool SameLoad(const MapLoad& a, const MapLoad& b) {
  const MapDiagnosis& x = a.diagnosis;
  const MapDiagnosis& y = b.diagnosis;
  if (a.loaded != b.loaded || x.rejection != y.rejection || x.offset != y.offset || x.record != y.record ||
      x.complemented != y.complemented || x.count != y.count || x.endOffset != y.endOffset ||
      a.catalog.m_nStars != b.catalog.m_nStars)
    return false;
  if (!a.loaded) return a.catalog.m_pStars == nullptr && b.catalog.m_pStars == nullptr;
  const size_t bytes = sizeof(StarEntry) * static_cast<size_t>(a.catalog.m_nStars);
  return bytes == 0 || std::memcmp(a.catalog.m_pStars, b.catalog.m_pStars, bytes) == 0;
}
