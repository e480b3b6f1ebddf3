// Test helper: builds map file bytes in memory, in either encoding, from
// readable record descriptions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

struct MapRecord {
  uint32_t catalogNumber = 0;
  int32_t x = 0;  // millionths of a light year
  int32_t y = 0;
  int32_t z = 0;
  int32_t magnitude = 0;  // millionths of a magnitude
  std::string tag;
  std::string name;
};

inline constexpr unsigned char kComplementedSelector = 0x65;

inline void AppendU24(Bytes& bytes, uint32_t value) {
  for (int shift = 0; shift < 24; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

// A 32-bit field, with byte complementedByte (0..3) stored as 255 - b, or none when -1.
inline void AppendI32(Bytes& bytes, int32_t value, int complementedByte = -1) {
  const uint32_t raw = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    const auto b = static_cast<unsigned char>(raw >> (8 * i));
    bytes.push_back(i == complementedByte ? static_cast<unsigned char>(255 - b) : b);
  }
}

inline Bytes MapHeader(uint32_t count, unsigned char selector = 0, unsigned char byte11 = 0) {
  Bytes bytes = {'s', 't', 'a', 'r', 'm', 'a', 'p', 2, 0, selector, 1, byte11};
  AppendU24(bytes, count);
  return bytes;
}

inline void AppendRecord(Bytes& bytes, const MapRecord& record, bool complemented) {
  AppendU24(bytes, record.catalogNumber);
  AppendI32(bytes, record.x, complemented ? 0 : -1);
  AppendI32(bytes, record.y, complemented ? 1 : -1);
  AppendI32(bytes, record.z, complemented ? 2 : -1);
  AppendI32(bytes, record.magnitude, complemented ? 3 : -1);
  const unsigned char terminator = complemented ? 0xFF : 0x00;
  for (const std::string* text : {&record.tag, &record.name}) {
    bytes.insert(bytes.end(), text->begin(), text->end());
    bytes.push_back(terminator);
  }
}

// A whole map whose header count is the number of records given.
inline Bytes MapBytes(const std::vector<MapRecord>& records, bool complemented = false) {
  Bytes bytes = MapHeader(static_cast<uint32_t>(records.size()), complemented ? kComplementedSelector : 0);
  for (const MapRecord& record : records) AppendRecord(bytes, record, complemented);
  return bytes;
}

// The smallest record: both strings empty, 21 bytes.
inline void AppendMinimalRecord(Bytes& bytes, uint32_t catalogNumber, int32_t x, int32_t y, int32_t z,
                                int32_t magnitude) {
  AppendU24(bytes, catalogNumber);
  for (int32_t value : {x, y, z, magnitude}) AppendI32(bytes, value);
  bytes.push_back(0);
  bytes.push_back(0);
}

// A plain map of count records whose every byte is 0: star 0 at the origin,
// magnitude 0, no tag, no name. Cheap to make in the millions.
inline Bytes MapOfZeroRecords(uint32_t count) {
  Bytes bytes = MapHeader(count);
  bytes.resize(bytes.size() + size_t{count} * 21);
  return bytes;
}
