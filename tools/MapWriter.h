// The writer's side of the map file: the 15-byte header, the records in the
// plain or complemented encoding, and a file writer that streams records and
// fills in the star count at the end.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

enum class MapEncoding { Plain, Complemented };

std::optional<MapEncoding> ParseMapEncoding(std::string_view name);
const char* MapEncodingName(MapEncoding encoding);

inline constexpr uint32_t kMaxCatalogNumber = 0xFFFFFF;  // 24 bits
inline constexpr uint32_t kMaxStarCount = 0xFFFFFF;      // 24 bits
inline constexpr size_t kMaxTagLength = 9;
inline constexpr size_t kMaxNameLength = 133;

// One record as stored: fixed-point fields in millionths, 8-bit strings.
struct MapStar {
  uint32_t catalogNumber = 0;   // at most kMaxCatalogNumber
  int32_t x = 0, y = 0, z = 0;  // millionths of a light year
  int32_t absMag = 0;           // millionths of a magnitude
  std::string tag;              // at most kMaxTagLength bytes
  std::string name;             // at most kMaxNameLength bytes
};

// The byte that ends a string in an encoding; a string must not contain it.
char StringTerminator(MapEncoding encoding);

std::array<uint8_t, 15> EncodeMapHeader(uint32_t count, MapEncoding encoding);
// Appends the record's 21 + tag + name bytes.
void AppendMapRecord(std::string& out, const MapStar& star, MapEncoding encoding);

// Writes a map file through a temporary file beside it, which replaces the
// target only when Finish succeeds: a failed run leaves no half-written map.
class MapFileWriter {
 public:
  ~MapFileWriter();
  MapFileWriter() = default;
  MapFileWriter(const MapFileWriter&) = delete;
  MapFileWriter& operator=(const MapFileWriter&) = delete;

  bool Open(const std::string& path, MapEncoding encoding, std::string* error);
  // Fails once kMaxStarCount stars are written.
  bool Append(const MapStar& star, std::string* error);
  // Writes the count into the header and moves the file into place.
  bool Finish(std::string* error);

  uint32_t count() const { return m_count; }
  uint64_t bytesWritten() const { return m_bytes; }

 private:
  void Abandon();

  std::FILE* m_file = nullptr;
  std::string m_path;
  std::string m_temporaryPath;
  MapEncoding m_encoding = MapEncoding::Plain;
  std::string m_record;
  uint32_t m_count = 0;
  uint64_t m_bytes = 0;
};
