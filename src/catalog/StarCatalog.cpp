// StarCatalog's ownership of its array, the file-reading half of the loader,
// and the texts that name a rejected map.
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
  m_magnitudes = {};
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
    if (diagnosis) *diagnosis = MapDiagnosis{.rejection = MapRejection::OutOfMemory};
    return 0;
  }

  // Only the bytes the read delivered are decoded, so a file that shrank or
  // failed part-way never exposes unset memory to the decoder.
  const size_t bytesRead = buffer ? archive.Read(buffer, length) : 0;
  const int loaded = LoadStarMap(buffer, bytesRead, diagnosis);
  ReleaseZeroedBlock(buffer, length);
  return loaded;
}

const char* DescribeRejection(MapRejection rejection) {
  switch (rejection) {
    case MapRejection::None:
      return "accepted";
    case MapRejection::ShortHeader:
      return "file shorter than the 15-byte header";
    case MapRejection::BadMagic:
      return "magic is not \"starmap\"";
    case MapRejection::BadVersion:
      return "format version is not 2";
    case MapRejection::BadByte8:
      return "header byte 8 is not 0";
    case MapRejection::BadByte10:
      return "header byte 10 is not 1";
    case MapRejection::CountTooLarge:
      return "star count does not fit in the file";
    case MapRejection::OutOfMemory:
      return "not enough memory to load the map";
    case MapRejection::TruncatedRecord:
      return "record cut short by the end of the file";
    case MapRejection::UnterminatedString:
      return "tag or name not terminated before the end of the file";
  }
  return "unknown rejection";
}
