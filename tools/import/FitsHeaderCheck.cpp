// A FITS header is 2880-byte records of 80-byte cards up to the END card: the
// keyword in columns 1-8, a value after '=' in column 9. CFITSIO parses TTYPEn
// only in table extensions and for n from 1 to TFIELDS; an unquoted value
// ends at a blank or '/'.
#include "FitsHeaderCheck.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

constexpr size_t kRecordBytes = 2880, kCardBytes = 80;
constexpr size_t kLongestUnquotedName = 69;  // CFITSIO's column name holds 70 bytes with its end

std::string_view Keyword(std::string_view card) {
  std::string_view keyword = card.substr(0, 8);
  while (!keyword.empty() && keyword.back() == ' ') keyword.remove_suffix(1);
  return keyword;
}

// The value field: after '=' in column 9 and any blanks.
std::string_view ValueField(std::string_view card) {
  if (card[8] != '=') return {};
  std::string_view value = card.substr(9);
  while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  return value;
}

// An unquoted value as CFITSIO takes it, up to a blank or '/'; "" when quoted.
std::string_view UnquotedValue(std::string_view card) {
  const std::string_view value = ValueField(card);
  return value.starts_with('\'') ? std::string_view() : value.substr(0, value.find_first_of(" /"));
}

// A quoted value's text without its trailing blanks, or an unquoted value.
std::string_view TextValue(std::string_view card) {
  std::string_view value = ValueField(card);
  if (!value.starts_with('\'')) return UnquotedValue(card);
  value.remove_prefix(1);
  value = value.substr(0, value.find('\''));
  while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
  return value;
}

// The n of TTYPEn as CFITSIO reads it (strtol: an optional sign), or 0.
long long ColumnOfName(std::string_view keyword) {
  if (!keyword.starts_with("TTYPE")) return 0;
  std::string_view number = keyword.substr(5);
  if (number.starts_with('+')) number.remove_prefix(1);
  long long column = 0;
  const auto [end, problem] = std::from_chars(number.data(), number.data() + number.size(), column);
  return problem == std::errc() && end == number.data() + number.size() && !number.empty() ? column : 0;
}

bool IsTableExtension(std::string_view card) {
  if (Keyword(card) != "XTENSION") return false;
  const std::string_view type = TextValue(card);
  return type == "TABLE" || type == "BINTABLE" || type == "A3DTABLE" || type == "3DTABLE";
}

}  // namespace

FitsHeaderCheck::FitsHeaderCheck(const std::string& path, const void* data, size_t size)
    : m_data(static_cast<const char*>(data)), m_size(size) {
  if (!data) m_file = gzopen(path.c_str(), "rb");
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
  if (!m_file || offset > static_cast<uint64_t>(std::numeric_limits<z_off_t>::max()) ||
      gzseek(m_file, static_cast<z_off_t>(offset), SEEK_SET) < 0)
    return false;
  const int count = gzread(m_file, record, kRecordBytes);
  if (count <= 0) return false;
  std::memset(record + count, ' ', kRecordBytes - static_cast<size_t>(count));
  return true;
}

std::string FitsHeaderCheck::OverflowingCard(uint64_t offset) {
  char record[kRecordBytes];
  bool table = false;
  long long columns = std::numeric_limits<long long>::max();  // TFIELDS, once read
  for (size_t card = 0; ReadRecord(offset, record); offset += kRecordBytes) {
    for (size_t at = 0; at < kRecordBytes; at += kCardBytes, ++card) {
      const std::string_view text(record + at, kCardBytes);
      const std::string_view keyword = Keyword(text);
      if (keyword == "END") return "";
      if (card == 0) table = IsTableExtension(text);
      if (!table) continue;
      if (keyword == "TFIELDS") {
        const std::string_view value = UnquotedValue(text);
        std::from_chars(value.data(), value.data() + value.size(), columns);
      }
      const long long column = ColumnOfName(keyword);
      if (column >= 1 && column <= columns && UnquotedValue(text).size() > kLongestUnquotedName)
        return std::string(keyword);
    }
    if (!table) return "";  // only tables' headers hold what overflows
  }
  return "";
}
