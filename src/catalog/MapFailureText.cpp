// Reasons for a failed map, worded for the user who has to act on them.
#include "catalog/MapFailureText.h"

#include <cstdio>
#include <cstring>

#include "catalog/MapFormat.h"

namespace {

std::string WithThousands(uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

std::string MemorySize(uint64_t bytes) {
  static constexpr const char* kUnits[] = {"KiB", "MiB", "GiB", "TiB"};
  if (bytes < 1024) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  double size = static_cast<double>(bytes) / 1024.0;
  size_t unit = 0;
  for (; size >= 1023.95 && unit + 1 < std::size(kUnits); ++unit) size /= 1024.0;
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", size, kUnits[unit]);
  return text;
}

std::string HexByte(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
  return text;
}

// "1 star", "16,777,215 stars"
std::string StarCount(uint64_t count) { return WithThousands(count) + (count == 1 ? " star" : " stars"); }

// "record 5 of 100"
std::string RecordOf(const MapDiagnosis& d) {
  return "record " + WithThousands(static_cast<uint64_t>(d.record) + 1) + " of " + WithThousands(d.count);
}

std::string WrongHeaderByte(const MapDiagnosis& d, int expected) {
  return "wrong header: byte offset " + std::to_string(d.offset) + " holds " + HexByte(d.foundByte) + ", " +
         HexByte(expected) + " expected";
}

}  // namespace

std::string MapFailureReason(const MapDiagnosis& d) {
  switch (d.rejection) {
    case MapRejection::None:
      return "loaded";
    case MapRejection::CannotOpen:
      return std::string("cannot open the file: ") + std::strerror(d.systemError);
    case MapRejection::ReadFailed:
      return "cannot read the file: only " + WithThousands(d.bytesRead) + " of its " +
             WithThousands(d.bytesNeeded) + " bytes could be read";
    case MapRejection::ShortHeader:
      if (d.offset == 0) return "not a map: the file is empty";
      return "truncated: the file ends at byte offset " + std::to_string(d.offset) + ", inside the " +
             std::to_string(kMapHeaderBytes) + "-byte header";
    case MapRejection::BadMagic:
      return "not a map: it does not begin with \"starmap\" (byte offset " + std::to_string(d.offset) +
             " is " + HexByte(d.foundByte) + ")";
    case MapRejection::BadVersion:
      return "wrong header: format version " + std::to_string(d.foundByte) + " (byte offset " +
             std::to_string(d.offset) + "), version 2 expected";
    case MapRejection::BadByte8:
      return WrongHeaderByte(d, 0);
    case MapRejection::BadByte10:
      return WrongHeaderByte(d, 1);
    case MapRejection::CountTooLarge:
      return "truncated: the count of " + StarCount(d.count) + " at byte offset " + std::to_string(d.offset) +
             " needs at least " + WithThousands(kMapHeaderBytes + uint64_t{d.count} * kMinimumRecordBytes) +
             " bytes";
    case MapRejection::OutOfMemory:
      if (d.count > 0)
        return "not enough memory for " + StarCount(d.count) + " (" + MemorySize(d.bytesNeeded) + ")";
      if (d.bytesNeeded > 0) return "not enough memory to read the file (" + MemorySize(d.bytesNeeded) + ")";
      return "not enough memory to load the map";
    case MapRejection::TruncatedRecord:
      return "truncated: " + RecordOf(d) + " at byte offset " + WithThousands(d.offset) + " is cut short";
    case MapRejection::UnterminatedString:
      return "cannot decode " + RecordOf(d) + ": its tag or name at byte offset " + WithThousands(d.offset) +
             " has no terminator";
  }
  return "unknown failure";
}

std::string MapFailureMessage(const std::string& path, const MapDiagnosis& diagnosis) {
  return path + ": " + MapFailureReason(diagnosis);
}
