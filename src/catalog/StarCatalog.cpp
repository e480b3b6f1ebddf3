// StarCatalog's ownership of its array and the file-reading half of the loader.
#include "catalog/StarCatalog.h"

#include <atomic>

#include "catalog/MapFile.h"
#include "catalog/StarArray.h"

namespace {

// Stamps are unique across every catalogue of the process.
uint64_t NextStamp() {
  static std::atomic<uint64_t> last{0};
  return ++last;
}

}  // namespace

StarCatalog::~StarCatalog() { Release(); }

void StarCatalog::PositionsChanged() {
  m_nPositionsStamp = NextStamp();
  MagnitudesChanged();
}

void StarCatalog::MagnitudesChanged() { m_nMagnitudesStamp = NextStamp(); }

void StarCatalog::Release() {
  ReleaseStarArray(m_pStars, static_cast<size_t>(m_nStars));
  m_pStars = nullptr;
  m_nStars = 0;
  PositionsChanged();
}

int StarCatalog::Allocate(int32_t count) {
  Release();
  if (count <= 0) return count == 0;
  m_pStars = AllocateStarArray(static_cast<size_t>(count));
  if (!m_pStars) return 0;
  m_nStars = count;
  return 1;
}

int StarCatalog::LoadStarMap(LoadArchive& archive, MapDiagnosis* diagnosis) {
  Release();
  archive.Flush();
  const uint64_t fileLength = archive.GetFile().GetLength();

  // One buffer for the whole file, allocated like the records and read in
  // one call; a length this process cannot hold is refused like a failed allocation.
  const size_t length = static_cast<size_t>(fileLength);
  unsigned char* buffer = length == fileLength ? AllocateZeroedBlock(length) : nullptr;
  if (!buffer && length > 0) {
    if (diagnosis)
      *diagnosis = MapDiagnosis{.rejection = MapRejection::OutOfMemory, .bytesNeeded = fileLength};
    return 0;
  }

  // A read that stops short (a failing disk, a file that shrank) rejects the
  // map rather than decoding part of it.
  const size_t bytesRead = buffer ? archive.Read(buffer, length) : 0;
  if (bytesRead < length) {
    ReleaseZeroedBlock(buffer, length);
    if (diagnosis)
      *diagnosis = MapDiagnosis{.rejection = MapRejection::ReadFailed,
                                .offset = bytesRead,
                                .bytesNeeded = length,
                                .bytesRead = bytesRead};
    return 0;
  }
  const int loaded = LoadStarMap(buffer, bytesRead, diagnosis);
  ReleaseZeroedBlock(buffer, length);
  return loaded;
}
