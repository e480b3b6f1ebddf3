// Map file encoding: little-endian fields, and in the complemented encoding
// one byte of each 32-bit field stored as 255 - b and 0xFF as the terminator.
#include "MapWriter.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr uint8_t kComplementedSelector = 0x65;

void AppendInt32(std::string& out, int32_t value, int complementedByte) {
  const uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    uint8_t byte = static_cast<uint8_t>(bits >> (8 * i));
    if (i == complementedByte) byte = static_cast<uint8_t>(255 - byte);
    out.push_back(static_cast<char>(byte));
  }
}

std::string SystemError() { return std::strerror(errno); }

}  // namespace

std::optional<MapEncoding> ParseMapEncoding(std::string_view name) {
  if (name == "plain") return MapEncoding::Plain;
  if (name == "complemented") return MapEncoding::Complemented;
  return std::nullopt;
}

const char* MapEncodingName(MapEncoding encoding) {
  return encoding == MapEncoding::Complemented ? "complemented" : "plain";
}

char StringTerminator(MapEncoding encoding) { return encoding == MapEncoding::Complemented ? '\xFF' : '\0'; }

std::array<uint8_t, 15> EncodeMapHeader(uint32_t count, MapEncoding encoding) {
  return {'s',
          't',
          'a',
          'r',
          'm',
          'a',
          'p',
          2,  // version
          0,
          encoding == MapEncoding::Complemented ? kComplementedSelector : uint8_t{0},
          1,
          0,  // not used
          static_cast<uint8_t>(count),
          static_cast<uint8_t>(count >> 8),
          static_cast<uint8_t>(count >> 16)};
}

void AppendMapRecord(std::string& out, const MapStar& star, MapEncoding encoding) {
  const bool complemented = encoding == MapEncoding::Complemented;
  for (int i = 0; i < 3; ++i) out.push_back(static_cast<char>(star.catalogNumber >> (8 * i)));
  // In the complemented encoding field i of x, y, z, absMag has its byte i
  // (0 the least significant) stored complemented.
  const int32_t fields[4] = {star.x, star.y, star.z, star.absMag};
  for (int i = 0; i < 4; ++i) AppendInt32(out, fields[i], complemented ? i : -1);
  out.append(star.tag);
  out.push_back(StringTerminator(encoding));
  out.append(star.name);
  out.push_back(StringTerminator(encoding));
}

MapFileWriter::~MapFileWriter() { Abandon(); }

bool MapFileWriter::Open(const std::string& path, MapEncoding encoding, std::string* error) {
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
