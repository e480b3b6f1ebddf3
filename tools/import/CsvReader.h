// CsvReader: streams the records of an RFC 4180 CSV file or of an ECSV
// file's data (comma or space delimited), plain or gzip-compressed, holding
// only the record being read.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CsvReader {
 public:
  enum class Result { Record, End, Error };

  CsvReader() = default;
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // Opens a file; zlib reads gzip data and plain text alike. A UTF-8 byte-order
  // mark at the start is skipped. Fails only when the file cannot be opened;
  // error() names the cause.
  bool Open(const std::string& path);

  // Reads the next record. Fields are separated by the delimiter; a field in
  // double quotes may hold delimiters, line breaks and doubled quotes. With
  // the space as delimiter a run of spaces is one separator and spaces at the
  // start and end of a line are not fields. Records end at LF, CRLF or a lone
  // CR; empty lines are skipped. A stray quote, text after a closing quote or
  // an unterminated quoted field is an Error.
  Result Next();

  // ',' (the default) or ' '.
  void SetDelimiter(char delimiter) { m_delimiter = delimiter; }

  // Reads the lines at the current position that begin with '#' (an ECSV
  // file's header), each without its '#' and with its line end as '\n', into
  // *lines, and returns how many there were. Call before the header record
  // is read.
  uint64_t ReadCommentLines(std::string* lines);

  // Bytes of the file (compressed bytes for gzip input) read so far, and the
  // file's size; they measure progress.
  uint64_t bytesRead() const;
  uint64_t fileSize() const { return m_fileSize; }

  std::span<const std::string> fields() const { return {m_fields.data(), m_count}; }
  // Line on which the last record began, counting from 1.
  uint64_t line() const { return m_recordLine; }
  // "path:line: what is wrong" after an Error, "path: cause" after a failed
  // Open or a read error.
  const std::string& error() const { return m_error; }

 private:
  static constexpr int kEnd = -1;

  int Get();
  int Peek();
  bool Fill();
  std::string& NewField();
  Result Fail(const char* what);
  int SkipSpaces(int c);

  gzFile m_file = nullptr;
  std::string m_path;
  std::vector<char> m_buffer;
  size_t m_pos = 0;
  size_t m_end = 0;
  uint64_t m_line = 1;
  uint64_t m_recordLine = 0;
  std::vector<std::string> m_fields;  // reused between records; the first m_count are current
  size_t m_count = 0;
  std::string m_error;
  uint64_t m_fileSize = 0;
  char m_delimiter = ',';
};
