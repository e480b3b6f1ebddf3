// The map file writer: records to a temporary file, renamed into place at the end.
#include "MapWriter.h"

#include <cerrno>
#include <cstring>

namespace {

std::string SystemError() { return std::strerror(errno); }

}  // namespace

std::optional<MapEncoding> ParseMapEncoding(std::string_view name) {
  for (const MapEncoding& encoding : {kPlainEncoding, kComplementedEncoding})
    if (name == encoding.name) return encoding;
  return std::nullopt;
}

MapFileWriter::~MapFileWriter() { Abandon(); }

bool MapFileWriter::Open(const std::string& path, const MapEncoding& encoding, std::string* error) {
  Abandon();
  m_path = path;
  m_temporaryPath = path + ".tmp";
  m_encoding = encoding;
  m_count = 0;
  m_file = std::fopen(m_temporaryPath.c_str(), "wb");
  if (!m_file) {
    *error = m_temporaryPath + ": " + SystemError();
    return false;
  }
  const auto header = EncodeMapHeader(0, encoding);
  m_bytes = header.size();
  if (std::fwrite(header.data(), 1, header.size(), m_file) != header.size()) {
    *error = m_temporaryPath + ": " + SystemError();
    Abandon();
    return false;
  }
  return true;
}

bool MapFileWriter::Append(const MapStar& star, std::string* error) {
  if (m_count == kMaxStarCount) {
    *error = "more than 16,777,215 stars, the most a map file can hold";
    return false;
  }
  m_record.clear();
  AppendMapRecord(m_record, star, m_encoding);
  if (std::fwrite(m_record.data(), 1, m_record.size(), m_file) != m_record.size()) {
    *error = m_temporaryPath + ": " + SystemError();
    return false;
  }
  ++m_count;
  m_bytes += m_record.size();
  return true;
}

bool MapFileWriter::Finish(std::string* error) {
  const auto header = EncodeMapHeader(m_count, m_encoding);
  const bool written = std::fseek(m_file, 0, SEEK_SET) == 0 &&
                       std::fwrite(header.data(), 1, header.size(), m_file) == header.size();
  const bool closed = std::fclose(m_file) == 0;
  m_file = nullptr;
  if (!written || !closed || std::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0) {
    *error = m_path + ": " + SystemError();
    std::remove(m_temporaryPath.c_str());
    return false;
  }
  return true;
}

void MapFileWriter::Abandon() {
  if (!m_file) return;
  std::fclose(m_file);
  m_file = nullptr;
  std::remove(m_temporaryPath.c_str());
}
