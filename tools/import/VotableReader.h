// VotableReader: streams the rows of a VOTable's first TABLE, in any of its
// serialisations (TABLEDATA, BINARY, BINARY2 with base64 streams), plain or
// gzip-compressed, through expat. It holds a block of input and two batches
// of rows parsed from it, never the whole table: once the rows begin, expat
// runs on a thread of its own, filling one batch while the caller reads the
// other. TABLEDATA rows are parsed in chunks on several threads
// (TabledataChunks) for as long as the content allows it.
#pragma once

#include <expat.h>
#include <zlib.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class TabledataChunks;

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

  VotableReader();
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

  static constexpr size_t kMaxCellBytes = 1 << 20;          // a longer cell or array is refused
  static std::string_view LocalName(const XML_Char* name);  // without its namespace prefix
  // A TABLEDATA cell's text made the field's value; false when it is none.
  static bool ParseCell(const Field& field, std::string_view text, Cell* cell);

 private:
  enum class Data { None, TableData, Binary, Binary2 };

  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes);
  static void OnEnd(void* self, const XML_Char* name);
  static void OnText(void* self, const XML_Char* text, int length);
  static void OnXmlDeclaration(void* self, const XML_Char* version, const XML_Char* encoding, int standalone);
  static void OnDoctype(void* self, const XML_Char* name, const XML_Char* system, const XML_Char* pub,
                        int internalSubset);
  void SetHandlers();
  void Start(std::string_view name, const XML_Char** attributes);
  void End(std::string_view name);
  void Text(std::string_view text);

  void Pump();
  void Work();
  bool TakeBatch();
  bool TakeChunk();
  void KeepTabledataStart();
  void HandOverToParser();
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
  std::string CellError(size_t field, uint64_t row, std::string_view text) const;

  gzFile m_file = nullptr;
  XML_Parser m_parser = nullptr;
  std::string m_path;
  uint64_t m_fileSize = 0;
  std::string m_error;
  bool m_suspended = false, m_inputDone = false, m_finished = false;
  uint64_t m_lineOffset = 0;  // lines before the parser's first, once it reads on after the chunks
  std::string m_replay;       // bytes the parser reads before the rest of the file
  size_t m_replayPos = 0;

  // Chunked TABLEDATA: whether the document allows it, the elements open
  // around the rows (their qualified names), the TABLEDATA start tag and what
  // the parser had read after it.
  bool m_splittable = true, m_firstBlock = true;
  std::vector<std::string> m_openElements;
  std::string m_dataTag, m_afterDataTag;
  uint64_t m_dataTagLine = 0;
  std::unique_ptr<TabledataChunks> m_chunks;
  bool m_chunksDone = false;

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
  bool m_readyLast = false, m_readyParsed = false;
  uint64_t m_rowNumber = 0;
  std::string m_reported;
};
