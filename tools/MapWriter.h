// The map file writer: streams records encoded by the format's one home
// (catalog/MapCodec.h) and fills in the star count at the end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/MapCodec.h"

// The encoding named on the command line ("plain", "complemented").
std::optional<MapEncoding> ParseMapEncoding(std::string_view name);

// Writes a map file through a temporary file beside it, which replaces the
// target only when Finish succeeds: a failed run leaves no half-written map.
class MapFileWriter {
 public:
  ~MapFileWriter();
  MapFileWriter() = default;
  MapFileWriter(const MapFileWriter&) = delete;
  MapFileWriter& operator=(const MapFileWriter&) = delete;

  bool Open(const std::string& path, const MapEncoding& encoding, std::string* error);
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
  MapEncoding m_encoding = kPlainEncoding;
  std::string m_record;
  uint32_t m_count = 0;
  uint64_t m_bytes = 0;
};
