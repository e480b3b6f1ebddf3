// The map file's open and load, with failures of either kept as reasons.
#include "catalog/MapFileLoad.h"

#include <cerrno>
#include <new>

#include "catalog/MapFile.h"

bool LoadStarMapFile(StarCatalog& catalog, const std::string& path, MapDiagnosis& diagnosis,
                     uint64_t* fileLength) {
  diagnosis = MapDiagnosis{};
  ReadOnlyFile file;
  if (!file.Open(path)) {
    diagnosis.rejection = MapRejection::CannotOpen;
    diagnosis.systemError = errno;
    return false;
  }
  if (fileLength != nullptr) *fileLength = file.GetLength();
  LoadArchive archive(file);
  try {
    return catalog.LoadStarMap(archive, &diagnosis) != 0;
  } catch (const std::bad_alloc&) {
    // Smaller allocations than the two blocks (the decoder's chunk table, a
    // worker thread's stack) can fail too when memory is nearly gone.
    catalog.Release();
    const uint32_t count = diagnosis.count;
    diagnosis = MapDiagnosis{.rejection = MapRejection::OutOfMemory, .count = count};
    diagnosis.bytesNeeded = uint64_t{count} * sizeof(StarEntry);
    return false;
  }
}
