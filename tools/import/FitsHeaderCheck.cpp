// A FITS header is 2880-byte records of 80-byte cards up to the END card.
// CFITSIO reads a card as a C string (a NUL ends it), the keyword's name up
// to a blank or '=' (after "HIERARCH ", up to '='), the value after '=', an
// unquoted one up to a blank or '/', a number also with a sign, a decimal
// point or an exponent. It parses TTYPEn in table extensions and for n from 1
// to TFIELDS only; here every n from 1 counts, and what it takes for a table
// is matched loosely (every header but the primary one and image
// extensions), so that no odd spelling of XTENSION slips past.
#include "FitsHeaderCheck.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

namespace {

constexpr size_t kRecordBytes = 2880, kCardBytes = 80;
constexpr size_t kLongestUnquotedName = 69;  // CFITSIO's column name holds 70 bytes with its end
constexpr double kMostFields = 999;          // the FITS standard's most columns a table has

std::string_view WithoutBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string_view Name(std::string_view card) {
  if (card.starts_with("HIERARCH ")) {
    const size_t equals = card.find('=');
    return WithoutBlanks(card.substr(9, equals == std::string_view::npos ? equals : equals - 9));
  }
  return card.substr(0, card.find_first_of(" ="));
}

// The value field: after the first '=' and any blanks.
std::string_view ValueField(std::string_view card) {
  const size_t equals = card.find('=');
  if (equals == std::string_view::npos) return {};
  std::string_view value = card.substr(equals + 1);
  while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  return value;
}

// An unquoted value as CFITSIO takes it, up to a blank or '/'; "" when quoted.
std::string_view UnquotedValue(std::string_view card) {
  const std::string_view value = ValueField(card);
  return value.starts_with('\'') ? std::string_view() : value.substr(0, value.find_first_of(" /"));
}

// A quoted value's text (to the card's end without a closing quote) without
// its trailing blanks, or an unquoted value.
std::string_view TextValue(std::string_view card) {
  std::string_view value = ValueField(card);
  if (!value.starts_with('\'')) return UnquotedValue(card);
  value.remove_prefix(1);
  value = value.substr(0, value.find('\''));
  while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
  return value;
}

// The n of TTYPEn as CFITSIO reads it (strtol: an optional sign), or 0.
long long ColumnOfName(std::string_view name) {
  if (!name.starts_with("TTYPE")) return 0;
  std::string_view number = name.substr(5);
  if (number.starts_with('+')) number.remove_prefix(1);
  long long column = 0;
  const auto [end, problem] = std::from_chars(number.data(), number.data() + number.size(), column);
  return problem == std::errc() && end == number.data() + number.size() && !number.empty() ? column : 0;
}

// A number value, or nullopt.
std::optional<double> NumberValue(std::string_view card) {
  std::string_view value = UnquotedValue(card);
  if (value.starts_with('+')) value.remove_prefix(1);
  double number = 0.0;
  const auto [end, problem] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (problem != std::errc() || end != value.data() + value.size() || value.empty()) return std::nullopt;
  return number;
}

bool MayBeTable(std::string_view firstCard) {
  const std::string_view name = Name(firstCard);
  return name != "SIMPLE" && !(name == "XTENSION" && TextValue(firstCard) == "IMAGE");
}

}  // namespace

bool IsCompressedBeyondZlib(std::string_view start) {
  for (const char* magic : {"\x1F\x9D", "PK\x03\x04", "BZh"})
    if (start.starts_with(magic)) return true;
  return false;
}

FitsHeaderCheck::FitsHeaderCheck(const std::string& path, const void* data, size_t size)
    : m_data(static_cast<const char*>(data)), m_size(size) {
  if (data) return;
  m_file = gzopen(path.c_str(), "rb");
  char start[4] = {};
  const int count = m_file ? gzread(m_file, start, sizeof start) : 0;
  if (m_file && gzdirect(m_file) && IsCompressedBeyondZlib(std::string_view(start, std::max(count, 0)))) {
    gzclose(m_file);
    m_file = nullptr;
    m_decompressed = std::make_unique<DecompressedFile>(path);
  }
}

FitsHeaderCheck::~FitsHeaderCheck() {
  if (m_file) gzclose(m_file);
}

bool FitsHeaderCheck::ReadRecord(uint64_t offset, char* record) {
  if (m_data) {
    if (offset >= m_size) return false;
    const size_t count = std::min<uint64_t>(kRecordBytes, m_size - offset);
    std::memcpy(record, m_data + offset, count);
    std::memset(record + count, ' ', kRecordBytes - count);
    return true;
  }
  if (m_decompressed) {
    const size_t count = m_decompressed->Read(offset, record, kRecordBytes);
    if (count == 0) return false;
    std::memset(record + count, ' ', kRecordBytes - count);
    return true;
  }
  if (!m_file || offset > static_cast<uint64_t>(std::numeric_limits<z_off_t>::max()) ||
      gzseek(m_file, static_cast<z_off_t>(offset), SEEK_SET) < 0)
    return false;
  const int count = gzread(m_file, record, kRecordBytes);
  if (count <= 0) return false;
  std::memset(record + count, ' ', kRecordBytes - static_cast<size_t>(count));
  return true;
}

std::string FitsHeaderCheck::UnsafeCard(uint64_t offset) {
  char record[kRecordBytes];
  bool table = false;
  for (size_t card = 0; ReadRecord(offset, record); offset += kRecordBytes) {
    for (size_t at = 0; at < kRecordBytes; at += kCardBytes, ++card) {
      if (std::memcmp(record + at, "END     ", 8) == 0) return "";
      const std::string_view text(record + at, strnlen(record + at, kCardBytes));
      if (card == 0) table = MayBeTable(text);
      if (!table) continue;
      const std::string_view name = Name(text);
      if (name == "TFIELDS") {
        // CFITSIO reads more numbers than a plain number: what is no number
        // here may still be a huge count there.
        const std::optional<double> fields = NumberValue(text);
        if (!fields) return "header card 'TFIELDS': no number of columns";
        if (*fields > kMostFields)
          return "header card 'TFIELDS': " + std::string(UnquotedValue(text)) +
                 " columns, more than the 999 a FITS table has";
      }
      // Every column number counts, whatever TFIELDS says: a header may hold
      // more than one TFIELDS card, and CFITSIO takes the one in its place.
      if (ColumnOfName(name) >= 1 && UnquotedValue(text).size() > kLongestUnquotedName)
        return "header card '" + std::string(name) +
               "': an unquoted value of 70 or more characters, longer than CFITSIO takes; quote it";
    }
    if (!table) return "";  // only tables' headers hold what overflows
  }
  return "";
}
