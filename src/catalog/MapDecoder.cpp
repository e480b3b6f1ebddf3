// Decodes a map file's bytes in memory into the catalogue, on all cores.
// Records have no length field, so one thread at a time walks ahead through
// the records, checking each (the same tests, in the same order, as a plain
// front-to-back decode) and publishing where each chunk of records starts;
// the threads meanwhile decode published chunks, each record written by one
// thread only. The first fault the walk meets is the one reported, so the
// diagnosis is the serial decoder's. Nothing is read past the data and
// nothing written past a field; any fault leaves the catalogue empty.
#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <thread>
#include <vector>

#include "catalog/MapDecoder.h"
#include "catalog/MapFormat.h"
#include "catalog/StarArray.h"
#include "parallel/ParallelRange.h"

namespace {

static_assert(std::endian::native == std::endian::little, "FindTerminator reads words little-endian");

// The first byte equal to terminator in [p, end), or end. Eight bytes at a
// time: a byte of word ^ pattern is zero exactly where the terminator is, and
// the lowest marked byte of (w - 0x01..) & ~w & 0x80.. is the first such byte.
const unsigned char* FindTerminator(const unsigned char* p, const unsigned char* end,
                                    unsigned char terminator) {
  if (p < end && *p == terminator) return p;  // the common empty string
  const uint64_t pattern = 0x0101010101010101ull * terminator;
  for (; end - p >= 8; p += 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    word ^= pattern;
    const uint64_t found = (word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull;
    if (found) return p + (__builtin_ctzll(found) >> 3);  // little-endian: lowest bits are the first byte
  }
  while (p < end && *p != terminator) ++p;
  return p;
}

// Copies a string of length bytes into a field of the given width, cut so
// that the field stays terminated.
void CopyField(char* field, size_t width, const unsigned char* text, size_t length) {
  const size_t kept = std::min(length, width - 1);
  std::memcpy(field, text, kept);
  field[kept] = 0;
}

class ParallelMapDecoder {
 public:
  ParallelMapDecoder(const unsigned char* data, size_t length, MapDiagnosis& diagnosis, StarEntry* stars,
                     int64_t recordsPerChunk)
      : m_data(data),
        m_end(data + length),
        m_diagnosis(diagnosis),
        m_encoding(diagnosis.complemented ? kComplementedEncoding : kPlainEncoding),
        m_stars(stars),
        m_count(diagnosis.count),
        m_recordsPerChunk(std::max<int64_t>(recordsPerChunk, 1)),
        m_chunks((m_count + m_recordsPerChunk - 1) / m_recordsPerChunk),
        m_chunkStarts(static_cast<size_t>(m_chunks) + 1, kMapHeaderBytes),
        m_walkCursor(kMapHeaderBytes) {}

  // Decodes every record; false (with the diagnosis) at the first fault.
  bool Run(unsigned workers) {
    const int64_t threads = std::min<int64_t>(std::max(workers, 1u), m_chunks);
    ForEachChunk(threads, 1, static_cast<unsigned>(threads), [this](int64_t begin, int64_t end) {
      for (int64_t worker = begin; worker < end; ++worker) Work();
    });
    if (m_faulted.load()) return false;
    m_diagnosis.endOffset = m_chunkStarts[static_cast<size_t>(m_chunks)];
    return true;
  }

 private:
  // Claims chunks in order and decodes each once it is known to be sound.
  void Work() {
    for (int64_t chunk = m_nextChunk.fetch_add(1); chunk < m_chunks; chunk = m_nextChunk.fetch_add(1)) {
      if (!AwaitChunk(chunk)) return;
      DecodeChunk(chunk);
    }
  }

  // Waits until the walk has passed the chunk, taking a turn at walking when
  // no other thread is; false when a fault ends the walk before it.
  bool AwaitChunk(int64_t chunk) {
    while (m_walked.load(std::memory_order_acquire) <= chunk) {
      if (m_faulted.load(std::memory_order_acquire)) return false;
      if (m_walking.test_and_set(std::memory_order_acquire)) {
        std::this_thread::yield();  // another thread is walking; it publishes as it goes
        continue;
      }
      if (!m_faulted.load(std::memory_order_relaxed)) WalkAhead(chunk + kDecodeChunksPerWalk);
      m_walking.clear(std::memory_order_release);
    }
    return true;
  }

  // Checks records from the walk's position until the given chunk boundary,
  // publishing each chunk as soon as all its records are known to be sound.
  // Another thread's turn may already have gone further: then nothing is left to do.
  void WalkAhead(int64_t chunkLimit) {
    const int64_t recordLimit = std::min(m_count, chunkLimit * m_recordsPerChunk);
    if (recordLimit <= m_walkRecord) return;
    size_t cursor = m_walkCursor;
    for (int64_t j = m_walkRecord; j < recordLimit; ++j) {
      if (j % m_recordsPerChunk == 0 && j > m_walkRecord) Publish(j, cursor);
      const auto record = static_cast<int32_t>(j);
      if (static_cast<size_t>(m_end - m_data) - cursor < kFixedRecordBytes)
        return Fault(MapRejection::TruncatedRecord, cursor, record);
      cursor += kFixedRecordBytes;
      for (int string = 0; string < 2; ++string) {  // the tag, then the name
        const unsigned char* terminator = FindTerminator(m_data + cursor, m_end, m_encoding.terminator);
        if (terminator == m_end) return Fault(MapRejection::UnterminatedString, cursor, record);
        cursor = static_cast<size_t>(terminator - m_data) + 1;
      }
    }
    m_walkRecord = recordLimit;
    m_walkCursor = cursor;
    Publish(recordLimit, cursor);  // a chunk boundary, or the end of the records
  }

  // Records before record lie behind the walk; the chunk starting at it begins at cursor.
  void Publish(int64_t record, size_t cursor) {
    const int64_t chunk = (record + m_recordsPerChunk - 1) / m_recordsPerChunk;
    m_chunkStarts[static_cast<size_t>(chunk)] = cursor;
    m_walked.store(chunk, std::memory_order_release);
  }

  void Fault(MapRejection rejection, size_t offset, int32_t record) {
    RejectMap(m_diagnosis, rejection, offset, record);
    m_faulted.store(true, std::memory_order_release);
  }

  // The walk has checked every record of the chunk, so each string has its terminator.
  void DecodeChunk(int64_t chunk) {
    const unsigned char* p = m_data + m_chunkStarts[static_cast<size_t>(chunk)];
    const int64_t last = std::min(m_count, (chunk + 1) * m_recordsPerChunk);
    for (int64_t j = chunk * m_recordsPerChunk; j < last; ++j) {
      StarEntry& star = m_stars[j];
      DecodeFixedFields(p, m_encoding, star);
      p += kFixedRecordBytes;
      const unsigned char* tagEnd = FindTerminator(p, m_end, m_encoding.terminator);
      CopyField(star.szTag, sizeof star.szTag, p, static_cast<size_t>(tagEnd - p));
      p = tagEnd + 1;
      const unsigned char* nameEnd = FindTerminator(p, m_end, m_encoding.terminator);
      CopyField(star.szName, sizeof star.szName, p, static_cast<size_t>(nameEnd - p));
      p = nameEnd + 1;
    }
  }

  const unsigned char* const m_data;
  const unsigned char* const m_end;
  MapDiagnosis& m_diagnosis;  // written only by the walking thread
  const MapEncoding m_encoding;
  StarEntry* const m_stars;
  const int64_t m_count;
  const int64_t m_recordsPerChunk;
  const int64_t m_chunks;
  std::vector<size_t> m_chunkStarts;  // chunk c's first record; the last entry is the end of the records

  // The walk's own state, touched only while holding m_walking.
  int64_t m_walkRecord = 0;
  size_t m_walkCursor;

  std::atomic_flag m_walking = ATOMIC_FLAG_INIT;
  std::atomic<int64_t> m_walked{0};  // chunks below this are sound and their starts published
  std::atomic<bool> m_faulted{false};
  std::atomic<int64_t> m_nextChunk{0};
};

}  // namespace

bool DecodeMapRecords(const unsigned char* data, size_t length, MapDiagnosis& diagnosis, StarEntry* stars,
                      int64_t recordsPerChunk, unsigned workers) {
  if (diagnosis.count == 0) {
    diagnosis.endOffset = kMapHeaderBytes;
    return true;
  }
  return ParallelMapDecoder(data, length, diagnosis, stars, recordsPerChunk).Run(workers);
}

int StarCatalog::LoadStarMap(const unsigned char* data, size_t length, MapDiagnosis* diagnosis) {
  Release();
  MapDiagnosis localDiagnosis;
  MapDiagnosis& result = diagnosis ? *diagnosis : localDiagnosis;
  result = MapDiagnosis{};
  if (!CheckMapHeader(data, length, result)) return 0;

  // Zeroed records: the working values and the bytes after each terminator stay 0.
  StarEntry* stars = AllocateStarArray(result.count);
  if (!stars && result.count > 0) {
    result.bytesNeeded = uint64_t{result.count} * sizeof(StarEntry);
    return RejectMap(result, MapRejection::OutOfMemory, kMapCountOffset);
  }
  if (!DecodeMapRecords(data, length, result, stars)) {
    ReleaseStarArray(stars, result.count);
    return 0;
  }
  m_pStars = stars;
  m_nStars = static_cast<int32_t>(result.count);
  return 1;
}
