// RFC 4180 reading (and ECSV's space-delimited variant) over zlib's gzip
// reader, one buffered byte at a time.
#include "CsvReader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr size_t kBufferSize = 1 << 16;

// The delimiter is passed by value: a member would be read again after every
// character stored, as a char store may alias it.
bool EndsField(int c, int delimiter) { return c == delimiter || c == '\n' || c == '\r' || c < 0; }

}  // namespace

CsvReader::~CsvReader() {
  if (m_file) gzclose(m_file);
}

bool CsvReader::Open(const std::string& path) {
  m_path = path;
  errno = 0;
  m_file = gzopen(path.c_str(), "rb");
  if (!m_file) {
    m_error = path + ": " + (errno ? std::strerror(errno) : "cannot open");
    return false;
  }
  struct stat status {};
  m_fileSize = stat(path.c_str(), &status) == 0 ? static_cast<uint64_t>(status.st_size) : 0;
  gzbuffer(m_file, kBufferSize);
  m_buffer.resize(kBufferSize);
  // A read error here (say, data that is not gzip after a gzip header) is
  // reported by the first Next.
  Fill();
  if (m_end - m_pos >= 3 && std::memcmp(m_buffer.data(), "\xEF\xBB\xBF", 3) == 0) m_pos += 3;
  return true;
}

bool CsvReader::Fill() {
  if (!m_file || !m_error.empty()) return false;
  const int count = gzread(m_file, m_buffer.data(), static_cast<unsigned>(m_buffer.size()));
  if (count < 0) {
    int code = 0;
    const std::string cause = gzerror(m_file, &code);
    // zlib names the file in its messages, except when out of memory.
    m_error = cause.starts_with(m_path + ": ") ? cause : m_path + ": " + cause;
    return false;
  }
  m_pos = 0;
  m_end = static_cast<size_t>(count);
  return count > 0;
}

uint64_t CsvReader::bytesRead() const {
  const z_off_t offset = m_file ? gzoffset(m_file) : 0;
  return offset > 0 ? static_cast<uint64_t>(offset) : 0;
}

uint64_t CsvReader::ReadCommentLines(std::string* lines) {
  uint64_t count = 0;
  while (Peek() == '#') {
    Get();
    for (int c = Get(); c != '\n' && c != '\r' && c != kEnd; c = Get())
      lines->push_back(static_cast<char>(c));
    if (Peek() == '\n') Get();
    lines->push_back('\n');
    ++m_line;
    ++count;
  }
  return count;
}

int CsvReader::SkipSpaces(int c) {
  if (m_delimiter == ' ')
    while (c == ' ') c = Get();
  return c;
}

int CsvReader::Get() {
  if (m_pos == m_end && !Fill()) return kEnd;
  return static_cast<unsigned char>(m_buffer[m_pos++]);
}

int CsvReader::Peek() {
  if (m_pos == m_end && !Fill()) return kEnd;
  return static_cast<unsigned char>(m_buffer[m_pos]);
}

std::string& CsvReader::NewField() {
  if (m_count == m_fields.size()) m_fields.emplace_back();
  std::string& field = m_fields[m_count++];
  field.clear();
  return field;
}

CsvReader::Result CsvReader::Fail(const char* what) {
  // A read error met on the way is the real cause; keep it.
  if (m_error.empty()) m_error = m_path + ":" + std::to_string(m_recordLine) + ": " + what;
  return Result::Error;
}

CsvReader::Result CsvReader::Next() {
  m_count = 0;
  const int delimiter = m_delimiter;
  int c = SkipSpaces(Get());
  while (c == '\n' || c == '\r') {  // empty lines
    if (c == '\r' && Peek() == '\n') Get();
    ++m_line;
    c = SkipSpaces(Get());
  }
  if (c == kEnd) return m_error.empty() ? Result::End : Result::Error;
  m_recordLine = m_line;

  for (;;) {
    std::string& field = NewField();
    if (c == '"') {
      for (;;) {
        c = Get();
        if (c == kEnd) return Fail("quoted field not closed before the end of the file");
        if (c == '"') {
          c = Get();
          if (c != '"') break;  // the closing quote; c follows it
        } else if (c == '\n') {
          ++m_line;
        }
        field.push_back(static_cast<char>(c));
      }
      if (!EndsField(c, delimiter)) return Fail("text after the closing quote of a field");
    } else {
      while (!EndsField(c, delimiter)) {
        if (c == '"') return Fail("quote inside a field that does not begin with one");
        field.push_back(static_cast<char>(c));
        c = Get();
      }
    }
    if (c != delimiter) break;
    c = Get();
    if (delimiter == ' ') {
      c = SkipSpaces(c);
      if (EndsField(c, delimiter)) break;  // spaces before the line end
    }
  }
  if (c == kEnd) return m_error.empty() ? Result::Record : Result::Error;
  if (c == '\r' && Peek() == '\n') Get();
  ++m_line;
  return Result::Record;
}
