// StarCatalog: the owned contiguous array of star records, its loader (with
// the reason for a rejected map) and the two passes that write the
// per-observer working values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "catalog/StarEntry.h"
#include "geometry/Vector3D.h"

class LoadArchive;

// Why a map file could not be opened or was rejected, and where.
enum class MapRejection {
  None,
  CannotOpen,          // the file could not be opened (systemError says why)
  ReadFailed,          // the file could not be read to its end
  ShortHeader,         // fewer than 15 bytes
  BadMagic,            // bytes 0..6 are not "starmap"
  BadVersion,          // byte 7 is not 2
  BadByte8,            // byte 8 is not 0
  BadByte10,           // byte 10 is not 1
  CountTooLarge,       // count x 21 does not fit in the bytes after the header
  OutOfMemory,         // the file's bytes or the record array could not be allocated
  TruncatedRecord,     // a record's fixed 19 bytes run past the data
  UnterminatedString,  // a tag or name has no terminator before the data ends
};

struct MapDiagnosis {
  MapRejection rejection = MapRejection::None;
  size_t offset = 0;    // byte offset of the failing test: the mismatching header byte, the end
                        // of a short file, the count (12), the start of the cut record or string,
                        // or where a read stopped
  int32_t record = -1;  // record index for record faults, else -1
  bool complemented = false;
  uint32_t count = 0;        // the header's star count, once read
  size_t endOffset = 0;      // offset just after the last record of a good file
  int foundByte = -1;        // the mismatching header byte's value
  int systemError = 0;       // errno of a failed open or read
  uint64_t bytesNeeded = 0;  // the allocation that failed, or the file's length for a failed read
  uint64_t bytesRead = 0;    // how much of the file a failed read delivered
};

class StarCatalog {
 public:
  StarCatalog() = default;
  ~StarCatalog();
  StarCatalog(const StarCatalog&) = delete;
  StarCatalog& operator=(const StarCatalog&) = delete;

  int32_t m_nStars = 0;
  StarEntry* m_pStars = nullptr;  // owned; m_nStars records

  // Reads the whole file behind the archive and decodes it. 1 on success;
  // 0 on rejection, leaving the catalogue empty.
  int LoadStarMap(LoadArchive& archive, MapDiagnosis* diagnosis = nullptr);
  // The same decoding from bytes in memory, with the reason for a rejection.
  int LoadStarMap(const unsigned char* data, size_t length, MapDiagnosis* diagnosis = nullptr);

  // Fewest records the two passes give a thread of their own: a catalogue of
  // fewer than twice this is worked through on the calling thread alone.
  static constexpr int32_t kMinStarsPerThread = 32768;

  // Projection for an observer: dProjX, dProjY and bVisible of every record.
  int ProjectStars(Vector3D position, Vector3D forward, Vector3D scaledRight, Vector3D scaledDown);
  // Distances and apparent magnitudes for an observer position. The records
  // are not written here: a paint works out what it needs of them from
  // DeferredMagnitudes, and every other reader of dDistance and
  // dAppMagnitude asks for them first through WriteAllMagnitudes or
  // WriteMagnitudesOf.
  void UpdateMagnitudes(Vector3D position);
  // dDistance and dAppMagnitude of every record for the position of the last
  // UpdateMagnitudes, for the passes that read them all.
  void WriteAllMagnitudes();
  // The same for the record at index alone, for a reader of that one star.
  void WriteMagnitudesOf(int32_t index);
  // The position of the last UpdateMagnitudes, for which the records' distances
  // and magnitudes are due; null when they were last written by other means
  // (then they hold the truth).
  const Vector3D* DeferredMagnitudes() const {
    return m_nDeferredStamp == m_nMagnitudesStamp ? &m_vMagnitudePosition : nullptr;
  }

  // Stamps that change whenever the records' positions (and with them their
  // names, which only a load writes) or their distances and magnitudes may
  // have changed: copies made from the records compare them to know when they
  // are out of date. Loading, Allocate and Release change both,
  // UpdateMagnitudes the second; code that writes those fields in place
  // calls the matching Changed function.
  uint64_t PositionsStamp() const { return m_nPositionsStamp; }
  uint64_t MagnitudesStamp() const { return m_nMagnitudesStamp; }
  void PositionsChanged();
  void MagnitudesChanged();

  // Replaces the array with count zeroed records. 1 on success; 0 when
  // there is no memory for them (or count is negative), leaving the catalogue empty.
  int Allocate(int32_t count);
  void Release();

 private:
  uint64_t m_nPositionsStamp = 0;
  uint64_t m_nMagnitudesStamp = 0;
  Vector3D m_vMagnitudePosition;  // of the last UpdateMagnitudes
  uint64_t m_nDeferredStamp = 0;  // the magnitudes stamp of the last UpdateMagnitudes
  bool m_bAllWritten = false;     // every record holds its values for m_vMagnitudePosition
};
