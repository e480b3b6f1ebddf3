// VotableReader: streams the rows of a VOTable's first TABLE, in any of its
// serialisations (TABLEDATA, BINARY, BINARY2 with base64 streams), plain or
// gzip-compressed, through expat. It holds a block of input and two batches
// of rows parsed from it, never the whole table: once the rows begin, expat
// runs on a thread of its own, filling one batch while the caller reads the
// other.
#pragma once

#include <expat.h>
#include <zlib.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
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
  const Cell& cell(size_t field) const { return m_ready[m_current * m_fields.size() + field]; }
  // The current row, counting from 1.
  uint64_t row() const { return m_rowNumber; }

  // "path:line: what is wrong" after a failure.
  const std::string& error() const { return m_reported; }
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
  void Work();
  bool TakeBatch();
  bool ParseRowText();
  void Stop(bool resumable);
  void Fail(const std::string& what);
  std::string Where() const;
  Cell* RowCells();
  bool AddField(const XML_Char** attributes);
  void EndCell();
  void EndRow();
  bool DecodeBase64(std::string_view text);
  void ReadBinaryRows();
  bool ParseCellText(const Field& field, Cell& cell) const;

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

  // The parsing thread's batch: rows of fields().size() cells.
  std::vector<Cell> m_cells;
  size_t m_queued = 0;
  uint64_t m_rowsParsed = 0;
  std::atomic<uint64_t> m_bytesRead{0};

  // The batch handed over, guarded by m_mutex.
  std::thread m_worker;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<Cell> m_handoff;
  size_t m_handoffRows = 0;
  bool m_handoffFull = false, m_handoffLast = false, m_stop = false;
  std::string m_handoffError;

  // The caller's batch.
  std::vector<Cell> m_ready;
  size_t m_readyRows = 0, m_taken = 0, m_current = 0;
  bool m_readyLast = false;
  uint64_t m_rowNumber = 0;
  std::string m_reported;
};
