// The loader's view of the map format (MapCodec.h): the header's tests and
// the recording of a rejection.
#pragma once

#include <cstddef>
#include <cstdint>

#include "catalog/MapCodec.h"
#include "catalog/StarCatalog.h"

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
