// Decodes a map file's bytes in memory into the catalogue: the header tests in
// their fixed order, then one record after another. Nothing is read past the
// data and nothing is written past a field; any fault leaves the catalogue empty.
#include <cstring>
#include <new>

#include "catalog/StarCatalog.h"

namespace {

constexpr size_t kHeaderBytes = 15;
constexpr size_t kCountOffset = 12;
constexpr size_t kFixedRecordBytes = 19;    // catalogue number, x, y, z, absolute magnitude
constexpr size_t kMinimumRecordBytes = 21;  // the fixed part and two empty strings
constexpr unsigned char kMagic[] = {'s', 't', 'a', 'r', 'm', 'a', 'p'};
constexpr unsigned char kComplementedSelector = 0x65;
constexpr double kMillionth = 1e-6;  // values are N * 1e-6, a product, never N / 1000000

// Which byte of each 32-bit field is stored as 255 - b (an XOR with 0xFF), and
// the byte that ends a string.
struct Encoding {
  uint32_t xMask;
  uint32_t yMask;
  uint32_t zMask;
  uint32_t magnitudeMask;
  unsigned char terminator;
};
constexpr Encoding kPlain{0, 0, 0, 0, 0x00};
constexpr Encoding kComplemented{0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000, 0xFF};

uint32_t ReadU24(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
}

uint32_t ReadU32(const unsigned char* p) { return ReadU24(p) | uint32_t{p[3]} << 24; }

double DecodeMillionths(const unsigned char* p, uint32_t complementMask) {
  const int32_t n = static_cast<int32_t>(ReadU32(p) ^ complementMask);
  return static_cast<double>(n) * kMillionth;
}

class MapDecoder {
 public:
  MapDecoder(const unsigned char* data, size_t length, MapDiagnosis& diagnosis)
      : m_data(data), m_length(length), m_diagnosis(diagnosis) {}

  // The header tests in order; on success the diagnosis holds encoding and count.
  bool CheckHeader() {
    for (size_t i = 0; i < sizeof kMagic; ++i)
      if (!HeaderByteIs(i, kMagic[i], MapRejection::BadMagic)) return false;
    if (!HeaderByteIs(7, 2, MapRejection::BadVersion)) return false;
    if (!HeaderByteIs(8, 0, MapRejection::BadByte8)) return false;
    if (!HeaderByteIs(10, 1, MapRejection::BadByte10)) return false;
    if (m_length < kHeaderBytes) return Reject(MapRejection::ShortHeader, m_length);

    m_diagnosis.complemented = m_data[9] == kComplementedSelector;
    m_diagnosis.count = ReadU24(m_data + kCountOffset);
    // Every record takes at least 21 bytes, so a larger count cannot be
    // genuine; refusing it here keeps a forged count from sizing the array.
    if (uint64_t{m_diagnosis.count} * kMinimumRecordBytes > m_length - kHeaderBytes)
      return Reject(MapRejection::CountTooLarge, kCountOffset);
    return true;
  }

  bool DecodeRecords(StarEntry* stars) {
    const Encoding& encoding = m_diagnosis.complemented ? kComplemented : kPlain;
    const int32_t count = static_cast<int32_t>(m_diagnosis.count);
    size_t cursor = kHeaderBytes;
    for (int32_t j = 0; j < count; ++j) {
      if (m_length - cursor < kFixedRecordBytes) return Reject(MapRejection::TruncatedRecord, cursor, j);
      const unsigned char* record = m_data + cursor;
      StarEntry& star = stars[j];
      star.nCatalogNumber = static_cast<int32_t>(ReadU24(record));
      star.vPos.x = DecodeMillionths(record + 3, encoding.xMask);
      star.vPos.y = DecodeMillionths(record + 7, encoding.yMask);
      star.vPos.z = DecodeMillionths(record + 11, encoding.zMask);
      star.dAbsMagnitude = DecodeMillionths(record + 15, encoding.magnitudeMask);
      // The observer's working values start defined; the view overwrites them.
      star.dProjX = star.dProjY = star.dDistance = star.dAppMagnitude = 0.0;
      star.bVisible = 0;

      cursor += kFixedRecordBytes;
      if (!CopyString(cursor, encoding.terminator, star.szTag, sizeof star.szTag, j)) return false;
      if (!CopyString(cursor, encoding.terminator, star.szName, sizeof star.szName, j)) return false;
    }
    m_diagnosis.endOffset = cursor;
    return true;
  }

  bool Reject(MapRejection rejection, size_t offset, int32_t record = -1) {
    m_diagnosis.rejection = rejection;
    m_diagnosis.offset = offset;
    m_diagnosis.record = record;
    return false;
  }

 private:
  // A header byte that the data does not reach makes the header short.
  bool HeaderByteIs(size_t offset, unsigned char expected, MapRejection mismatch) {
    if (offset >= m_length) return Reject(MapRejection::ShortHeader, m_length);
    if (m_data[offset] != expected) return Reject(mismatch, offset);
    return true;
  }

  // Copies the string at the cursor into a field of the given width, cutting
  // an over-long one so that the field stays terminated, and moves the cursor
  // past the file's terminator either way.
  bool CopyString(size_t& cursor, unsigned char terminator, char* field, size_t width, int32_t record) {
    const unsigned char* start = m_data + cursor;
    const void* end = std::memchr(start, terminator, m_length - cursor);
    if (!end) return Reject(MapRejection::UnterminatedString, cursor, record);
    const size_t length = static_cast<const unsigned char*>(end) - start;
    const size_t kept = length < width ? length : width - 1;
    std::memcpy(field, start, kept);
    field[kept] = 0;
    cursor += length + 1;
    return true;
  }

  const unsigned char* m_data;
  size_t m_length;
  MapDiagnosis& m_diagnosis;
};

}  // namespace

int StarCatalog::LoadStarMap(const unsigned char* data, size_t length, MapDiagnosis* diagnosis) {
  Release();
  MapDiagnosis localDiagnosis;
  MapDiagnosis& result = diagnosis ? *diagnosis : localDiagnosis;
  result = MapDiagnosis{};

  MapDecoder decoder(data, length, result);
  if (!decoder.CheckHeader()) return 0;

  StarEntry* stars = nullptr;
  if (result.count > 0) {
    stars = new (std::nothrow) StarEntry[result.count];
    if (!stars) return decoder.Reject(MapRejection::OutOfMemory, kCountOffset);
  }
  if (!decoder.DecodeRecords(stars)) {
    delete[] stars;
    return 0;
  }
  m_pStars = stars;
  m_nStars = static_cast<int32_t>(result.count);
  return 1;
}
