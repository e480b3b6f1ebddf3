// VotableReader: streams the rows of a VOTable's first TABLE, in any of its
// serialisations (TABLEDATA, BINARY, BINARY2 with base64 streams), plain or
// gzip-compressed, through expat. It holds a block of input and the rows
// parsed from it, never the whole table.
#pragma once

#include <expat.h>
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class VotableReader {
 public:
  enum class Type {
    Boolean,
    Bit,
    UnsignedByte,
    Short,
    Int,
    Long,
    Char,
    UnicodeChar,
    Float,
    Double,
    FloatComplex,
    DoubleComplex
  };
  struct Field {
    std::string name;
    Type type = Type::Char;
    int64_t count = 1;                // elements a cell holds, or the most a variable one holds (0: no limit)
    bool variable = false;            // arraysize ending in '*'
    std::optional<std::string> null;  // the null value of the field's VALUES
    std::optional<int64_t> nullInteger;
    bool wanted = false;
  };
  // A wanted field's value in the current row.
  struct Cell {
    bool null = true;
    bool integral = false;  // from an integer type: integer holds the value exactly
    int64_t integer = 0;
    double number = 0.0;
    std::string text;  // UTF-8, for char and unicodeChar fields
  };
  enum class Result { Row, End, Error };

  VotableReader() = default;
  ~VotableReader();
  VotableReader(const VotableReader&) = delete;
  VotableReader& operator=(const VotableReader&) = delete;

  // Opens the file and reads up to the first table's data, so that fields()
  // is known. false with error() when the file cannot be opened (opened()
  // false) or is no VOTable, has no table or is malformed before its data.
  bool Open(const std::string& path);
  bool opened() const { return m_file != nullptr; }

  const std::vector<Field>& fields() const { return m_fields; }
  // Marks a field to be decoded into cells; call before the first Next.
  void Want(size_t field) { m_fields[field].wanted = true; }

  Result Next();
  const Cell& cell(size_t field) const { return m_cells[m_current * m_fields.size() + field]; }
  // The current row, counting from 1.
  uint64_t row() const { return m_rowNumber; }

  // "path:line: what is wrong" after a failure.
  const std::string& error() const { return m_error; }
  double fractionRead() const;

 private:
  enum class Data { None, TableData, Binary, Binary2 };

  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes);
  static void OnEnd(void* self, const XML_Char* name);
  static void OnText(void* self, const XML_Char* text, int length);
  void Start(std::string_view name, const XML_Char** attributes);
  void End(std::string_view name);
  void Text(std::string_view text);

  void Pump();
  void Stop(bool resumable);
  void Fail(const std::string& what);
  std::string Where() const;
  Cell* RowCells();
  bool AddField(const XML_Char** attributes);
  void EndCell();
  void EndRow();
  bool DecodeBase64(std::string_view text);
  void ReadBinaryRows();
  bool ParseCellText(const Field& field, std::string_view text, Cell& cell);

  gzFile m_file = nullptr;
  XML_Parser m_parser = nullptr;
  std::string m_path;
  uint64_t m_fileSize = 0;
  std::string m_error;
  bool m_suspended = false, m_inputDone = false, m_finished = false;

  bool m_rootSeen = false, m_inTable = false, m_tableSeen = false, m_inField = false;
  Data m_data = Data::None;
  bool m_dataStarted = false, m_inStream = false, m_inCell = false;
  std::vector<Field> m_fields;
  size_t m_column = 0;
  std::string m_cellText;

  uint32_t m_base64Bits = 0;
  int m_base64Count = 0;
  std::string m_binary;  // decoded stream bytes not yet made into rows
  size_t m_binaryPos = 0;

  std::vector<Cell> m_cells;  // queued rows, fields().size() cells each
  size_t m_queued = 0, m_taken = 0, m_current = 0;
  uint64_t m_rowsParsed = 0, m_rowNumber = 0;
};
