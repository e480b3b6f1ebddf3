// VOTable reading over expat and zlib. Expat is fed a block at a time and
// suspended whenever a block's worth of rows is queued; TABLEDATA cells are
// parsed as text, BINARY and BINARY2 streams are decoded from base64 and
// their rows cut from the bytes as they arrive, big-endian as the VOTable
// standard (1.4) writes them.
#include "VotableReader.h"

#include <strings.h>

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "TabledataChunks.h"
#include "text/Cp1252.h"

namespace {

constexpr int kBlockBytes = 1 << 16;
constexpr size_t kQueueRows = 16384;
const XML_Char* Attribute(const XML_Char** attributes, std::string_view name) {
  for (const XML_Char** a = attributes; *a; a += 2)
    if (VotableReader::LocalName(a[0]) == name) return a[1];
  return nullptr;
}

struct TypeName {
  const char* name;
  VotableReader::Type type;
  int bytes;  // bytes an element takes in a binary stream (bits: 0)
};
constexpr TypeName kTypes[] = {
    {"boolean", VotableReader::Type::Boolean, 1},
    {"bit", VotableReader::Type::Bit, 0},
    {"unsignedByte", VotableReader::Type::UnsignedByte, 1},
    {"short", VotableReader::Type::Short, 2},
    {"int", VotableReader::Type::Int, 4},
    {"long", VotableReader::Type::Long, 8},
    {"char", VotableReader::Type::Char, 1},
    {"unicodeChar", VotableReader::Type::UnicodeChar, 2},
    {"float", VotableReader::Type::Float, 4},
    {"double", VotableReader::Type::Double, 8},
    {"floatComplex", VotableReader::Type::FloatComplex, 8},
    {"doubleComplex", VotableReader::Type::DoubleComplex, 16},
};

int ElementBytes(VotableReader::Type type) {
  for (const TypeName& entry : kTypes)
    if (entry.type == type) return entry.bytes;
  return 1;
}

bool IsInteger(VotableReader::Type type) {
  using Type = VotableReader::Type;
  return type == Type::UnsignedByte || type == Type::Short || type == Type::Int || type == Type::Long;
}

bool IsText(VotableReader::Type type) {
  return type == VotableReader::Type::Char || type == VotableReader::Type::UnicodeChar;
}

// "*", "28", "28*", "2x3", "2x*": the element count (or the most, 0 for no
// limit) and whether it varies. false when it is not an arraysize.
bool ParseArraySize(std::string_view text, int64_t* count, bool* variable) {
  *count = 1;
  *variable = false;
  while (!text.empty()) {
    const size_t x = text.find('x');
    std::string_view part = text.substr(0, x);
    text = x == std::string_view::npos ? std::string_view() : text.substr(x + 1);
    if (part.ends_with('*')) {
      if (!text.empty()) return false;  // only the last dimension may vary
      *variable = true;
      part.remove_suffix(1);
      if (part.empty()) {
        *count = 0;
        return true;
      }
    }
    int64_t size = 0;
    const auto [end, problem] = std::from_chars(part.data(), part.data() + part.size(), size);
    if (problem != std::errc() || end != part.data() + part.size() || size < 0 || size > (1 << 30))
      return false;
    *count *= size;
    if (*count > (int64_t{1} << 30)) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

bool ParseInteger(std::string_view text, int64_t* value) {
  if (text.starts_with('+')) text.remove_prefix(1);
  int base = 10;
  bool negative = false;
  if (text.starts_with("-0x") || text.starts_with("-0X")) negative = true, text.remove_prefix(1);
  if (text.starts_with("0x") || text.starts_with("0X")) base = 16, text.remove_prefix(2);
  const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), *value, base);
  if (negative) *value = -*value;
  return problem == std::errc() && end == text.data() + text.size() && !text.empty();
}

uint64_t BigEndian(const unsigned char* p, int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | p[i];
  return value;
}

// The value of a base64 character, -1 for whitespace, -2 for '=', -3 otherwise.
constexpr std::array<int8_t, 256> kBase64 = [] {
  std::array<int8_t, 256> table{};
  table.fill(-3);
  const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(alphabet[i])] = static_cast<int8_t>(i);
  for (char c : {' ', '\t', '\n', '\r'}) table[static_cast<unsigned char>(c)] = -1;
  table['='] = -2;
  return table;
}();

}  // namespace

// One pass over the name, as it is called for every element of every row.
std::string_view VotableReader::LocalName(const XML_Char* name) {
  const XML_Char* local = name;
  const XML_Char* end = name;
  for (; *end; ++end)
    if (*end == ':') local = end + 1;
  return std::string_view(local, static_cast<size_t>(end - local));
}

VotableReader::VotableReader() = default;

VotableReader::~VotableReader() {
  m_chunks.reset();
  if (m_worker.joinable()) {
    {
      const std::lock_guard lock(m_mutex);
      m_stop = true;
    }
    m_changed.notify_all();
    m_worker.join();
  }
  if (m_parser) XML_ParserFree(m_parser);
  if (m_file) gzclose(m_file);
}

bool VotableReader::Open(const std::string& path) {
  m_path = path;
  errno = 0;
  m_file = gzopen(path.c_str(), "rb");
  if (!m_file) {
    m_reported = path + ": " + (errno ? std::strerror(errno) : "cannot open");
    return false;
  }
  struct stat status {};
  m_fileSize = stat(path.c_str(), &status) == 0 ? static_cast<uint64_t>(status.st_size) : 0;
  gzbuffer(m_file, kBlockBytes);
  m_parser = XML_ParserCreate(nullptr);
  if (!m_parser) {
    m_reported = path + ": out of memory";
    return false;
  }
  SetHandlers();
  while (!m_dataStarted && !m_finished && m_error.empty()) Pump();
  if (m_error.empty() && !m_tableSeen) m_error = path + ": a VOTable without a TABLE";
  m_reported = m_error;
  return m_error.empty();
}

void VotableReader::SetHandlers() {
  XML_SetUserData(m_parser, this);
  XML_SetElementHandler(m_parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(m_parser, OnText);
  XML_SetXmlDeclHandler(m_parser, OnXmlDeclaration);
  XML_SetStartDoctypeDeclHandler(m_parser, OnDoctype);
}

double VotableReader::fractionRead() const {
  if (m_fileSize == 0) return 0.0;
  return std::min(1.0, static_cast<double>(m_bytesRead.load(std::memory_order_relaxed)) /
                           static_cast<double>(m_fileSize));
}

VotableReader::Result VotableReader::Next() {
  for (;;) {
    if (m_taken < m_readyRows) {
      m_current = m_taken++;
      ++m_rowNumber;
      return ParseRowText() ? Result::Row : Result::Error;
    }
    if (m_readyLast) return m_reported.empty() ? Result::End : Result::Error;
    if (!TakeBatch()) return Result::Error;
  }
}

// Waits for the next chunk's rows, or the parsing thread's next batch
// (starting the thread the first time).
bool VotableReader::TakeBatch() {
  if (!m_worker.joinable()) {
    if (!m_error.empty() || m_finished) {  // Open met the end: nothing to hand over
      m_readyLast = true;
      m_readyRows = m_taken = 0;
      return true;
    }
    if (!m_chunksDone && m_splittable && m_data == Data::TableData && !m_dataTag.empty()) {
      if (!m_chunks)
        m_chunks = std::make_unique<TabledataChunks>(m_file, m_dataTag, m_dataTagLine,
                                                     std::move(m_afterDataTag), m_fields, m_bytesRead);
      if (TakeChunk()) return true;
      HandOverToParser();
    }
    m_readyParsed = false;
    m_worker = std::thread([this] { Work(); });
  }
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return m_handoffFull; });
  m_ready.swap(m_handoff);
  m_readyRows = m_handoffRows;
  m_readyLast = m_handoffLast;
  if (m_readyLast) m_reported = m_handoffError;
  m_handoffFull = false;
  m_taken = 0;
  lock.unlock();
  m_changed.notify_all();
  return true;
}

bool VotableReader::TakeChunk() {
  std::optional<TabledataChunks::BadCell> bad;
  if (!m_chunks->Take(&m_ready, &m_readyRows, &bad)) return false;
  m_taken = 0;
  m_readyParsed = true;
  if (bad) {
    m_reported = CellError(bad->field, m_rowNumber + bad->row + 1, bad->text);
    m_readyLast = true;
  }
  m_rowsParsed += m_readyRows;
  return true;
}

// The single parser reads on from the chunk the threads could not: a new
// parser, inside the elements the rows are in, fed the bytes not yet parsed.
void VotableReader::HandOverToParser() {
  uint64_t line = 0;
  m_replay = m_chunks->TakeOver(&line);
  m_replayPos = 0;
  m_chunks.reset();
  m_chunksDone = true;
  XML_ParserFree(m_parser);
  m_parser = XML_ParserCreate(nullptr);
  if (!m_parser) {
    m_error = m_path + ": out of memory";
    m_finished = true;
    return;
  }
  SetHandlers();
  m_suspended = false;
  std::string opening;
  for (const std::string& name : m_openElements) opening += "<" + name + ">";
  XML_Parse(m_parser, opening.data(), static_cast<int>(opening.size()), XML_FALSE);
  m_lineOffset = line - 1;  // the opening tags take no line
}

// The parsing thread: fills a batch, hands it over, until the table ends.
void VotableReader::Work() {
  for (;;) {
    while (m_queued < kQueueRows && !m_finished && m_error.empty()) Pump();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_handoffFull || m_stop; });
    if (m_stop) return;
    m_handoff.swap(m_cells);
    m_handoffRows = m_queued;
    m_queued = 0;
    m_handoffLast = m_finished || !m_error.empty();
    m_handoffError = m_error;
    m_handoffFull = true;
    lock.unlock();
    m_changed.notify_all();
    if (m_handoffLast) return;
  }
}

// TABLEDATA cells from the single parser come as text; the caller's thread
// makes them values (a chunk's come as values).
bool VotableReader::ParseRowText() {
  if (m_data != Data::TableData || m_readyParsed) return true;
  const size_t width = m_fields.size();
  for (size_t i = 0; i < width; ++i) {
    const Field& field = m_fields[i];
    if (!field.wanted) continue;
    Cell& cell = m_ready[m_current * width + i];
    if (ParseCell(field, cell.text, &cell)) continue;
    m_reported = CellError(i, m_rowNumber, cell.text);
    m_readyLast = true;
    m_readyRows = m_taken;  // no row after the faulty one
    return false;
  }
  return true;
}

// Runs the parser over the next block (or on from where it was suspended).
void VotableReader::Pump() {
  XML_Status status;
  if (m_suspended) {
    status = XML_ResumeParser(m_parser);
  } else if (m_inputDone) {
    m_finished = true;
    return;
  } else {
    auto* buffer = static_cast<char*>(XML_GetBuffer(m_parser, kBlockBytes));
    if (!buffer) return Fail("out of memory");
    int count = 0;
    if (m_replayPos < m_replay.size()) {
      count = static_cast<int>(std::min<size_t>(kBlockBytes, m_replay.size() - m_replayPos));
      std::memcpy(buffer, m_replay.data() + m_replayPos, static_cast<size_t>(count));
      m_replayPos += static_cast<size_t>(count);
      if (m_replayPos == m_replay.size()) {
        std::string().swap(m_replay);
        m_replayPos = 0;
      }
    } else {
      count = gzread(m_file, buffer, kBlockBytes);
      if (count < 0) {
        int code = 0;
        const std::string cause = gzerror(m_file, &code);
        m_error = cause.starts_with(m_path + ": ") ? cause : m_path + ": " + cause;
        return;
      }
      m_inputDone = count == 0;
    }
    // Rows are cut at bytes, so only an ASCII-compatible encoding is cut.
    if (m_firstBlock && count >= 2 &&
        (buffer[0] == 0 || buffer[1] == 0 || buffer[0] == '\xFE' || buffer[0] == '\xFF'))
      m_splittable = false;
    m_firstBlock = false;
    m_bytesRead.store(static_cast<uint64_t>(std::max<z_off_t>(gzoffset(m_file), 0)),
                      std::memory_order_relaxed);
    status = XML_ParseBuffer(m_parser, count, m_inputDone);
  }
  m_suspended = status == XML_STATUS_SUSPENDED;
  if (status == XML_STATUS_ERROR) {
    // Our own stop at the table's end, or an error of ours, is no XML error.
    if (m_error.empty() && XML_GetErrorCode(m_parser) != XML_ERROR_ABORTED)
      m_error = Where() + ": " + XML_ErrorString(XML_GetErrorCode(m_parser));
    m_finished = true;
  } else if (status == XML_STATUS_OK && m_inputDone) {
    m_finished = true;
  }
}

void VotableReader::Stop(bool resumable) {
  XML_ParsingStatus status;
  XML_GetParsingStatus(m_parser, &status);
  if (status.parsing == XML_PARSING) XML_StopParser(m_parser, resumable ? XML_TRUE : XML_FALSE);
}

std::string VotableReader::Where() const {
  return m_path + ":" + std::to_string(XML_GetCurrentLineNumber(m_parser) + m_lineOffset);
}

void VotableReader::Fail(const std::string& what) {
  if (m_error.empty()) m_error = Where() + ": " + what;
  Stop(false);
}

void VotableReader::OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
  auto* reader = static_cast<VotableReader*>(self);
  if (!reader->m_dataStarted) reader->m_openElements.emplace_back(name);
  reader->Start(LocalName(name), attributes);
}
void VotableReader::OnEnd(void* self, const XML_Char* name) {
  auto* reader = static_cast<VotableReader*>(self);
  if (!reader->m_dataStarted && !reader->m_openElements.empty()) reader->m_openElements.pop_back();
  reader->End(LocalName(name));
}
void VotableReader::OnXmlDeclaration(void* self, const XML_Char*, const XML_Char* encoding, int) {
  if (encoding && strcasecmp(encoding, "UTF-8") != 0 && strcasecmp(encoding, "US-ASCII") != 0)
    static_cast<VotableReader*>(self)->m_splittable = false;
}
// A document type may declare entities and attribute defaults, which a chunk parsed alone would miss.
void VotableReader::OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  static_cast<VotableReader*>(self)->m_splittable = false;
}
void VotableReader::OnText(void* self, const XML_Char* text, int length) {
  static_cast<VotableReader*>(self)->Text(std::string_view(text, static_cast<size_t>(length)));
}

void VotableReader::Start(std::string_view name, const XML_Char** attributes) {
  if (!m_error.empty()) return;
  if (!m_rootSeen) {
    m_rootSeen = true;
    if (name != "VOTABLE") return Fail("not a VOTable: the root element is <" + std::string(name) + ">");
    return;
  }
  if (!m_inTable) {
    if (name == "TABLE" && !m_tableSeen) m_inTable = m_tableSeen = true;
    return;
  }
  if (m_data == Data::None) {
    if (name == "FIELD") {
      m_inField = AddField(attributes);
    } else if (name == "VALUES" && m_inField) {
      if (const XML_Char* null = Attribute(attributes, "null")) {
        Field& field = m_fields.back();
        field.null = null;
        int64_t value = 0;
        if (IsInteger(field.type) && ParseInteger(Trimmed(null), &value)) field.nullInteger = value;
      }
    } else if (name == "TABLEDATA" || name == "BINARY" || name == "BINARY2") {
      m_data = name == "TABLEDATA" ? Data::TableData : name == "BINARY" ? Data::Binary : Data::Binary2;
      if (m_fields.empty()) return Fail("a TABLE with data but without FIELDs");
      m_dataStarted = true;
      if (m_data == Data::TableData && m_splittable) KeepTabledataStart();
      Stop(true);  // fields() is complete: let the caller choose its fields
    } else if (name == "FITS") {
      Fail("a TABLE whose data is a FITS file, which is not read; save the table as TABLEDATA or BINARY2");
    }
    return;
  }
  if (m_data == Data::TableData) {
    if (name == "TR") {
      m_column = 0;
      RowCells();
    } else if (name == "TD") {
      m_inCell = true;
      m_cellText.clear();
    }
  } else if (name == "STREAM") {
    if (Attribute(attributes, "href")) return Fail("a STREAM that refers to another file, which is not read");
    const XML_Char* encoding = Attribute(attributes, "encoding");
    if (!encoding || std::string_view(encoding) != "base64")
      return Fail("a STREAM not encoded as base64, which is not read");
    m_inStream = true;
  }
}

void VotableReader::End(std::string_view name) {
  if (!m_error.empty() || !m_inTable) return;
  if (name == "FIELD") {
    m_inField = false;
  } else if (name == "TD" && m_inCell) {
    m_inCell = false;
    EndCell();
  } else if (name == "TR" && m_data == Data::TableData) {
    EndRow();
  } else if (name == "STREAM" && m_inStream) {
    m_inStream = false;
    if (m_base64Count % 4 == 1) return Fail("a base64 STREAM that ends inside a character group");
    if (m_binaryPos != m_binary.size())
      return Fail("VOTable row " + std::to_string(m_rowsParsed + 1) + ": the STREAM ends inside the row");
  } else if (name == "TABLE") {
    m_inTable = false;
    Stop(false);  // the rest of the document holds no row of this table
  }
}

void VotableReader::Text(std::string_view text) {
  if (!m_error.empty()) return;
  if (m_inCell) {
    if (m_column < m_fields.size() && m_fields[m_column].wanted) {
      if (m_cellText.size() + text.size() > kMaxCellBytes) return Fail("a TD longer than 1 MiB");
      m_cellText.append(text);
    }
  } else if (m_inStream) {
    if (!DecodeBase64(text)) return;
    ReadBinaryRows();
  }
}

// The TABLEDATA start tag and the bytes the parser holds after it, where the chunks begin.
void VotableReader::KeepTabledataStart() {
  int offset = 0, size = 0;
  const char* buffer = XML_GetInputContext(m_parser, &offset, &size);
  const int tagBytes = XML_GetCurrentByteCount(m_parser);
  if (!buffer || tagBytes <= 0 || offset + tagBytes > size) return;
  m_dataTag.assign(buffer + offset, static_cast<size_t>(tagBytes));
  if (m_dataTag.ends_with("/>")) return m_dataTag.clear();  // an empty element: no rows
  m_afterDataTag.assign(buffer + offset + tagBytes, static_cast<size_t>(size - offset - tagBytes));
  m_dataTagLine = XML_GetCurrentLineNumber(m_parser);
}

VotableReader::Cell* VotableReader::RowCells() {
  const size_t width = m_fields.size();
  if (m_cells.size() < (m_queued + 1) * width) m_cells.resize((m_queued + 1) * width);
  return &m_cells[m_queued * width];
}

bool VotableReader::AddField(const XML_Char** attributes) {
  Field field;
  const XML_Char* name = Attribute(attributes, "name");
  if (!name) name = Attribute(attributes, "ID");
  field.name = name ? name : "";
  const XML_Char* datatype = Attribute(attributes, "datatype");
  const std::string_view type = datatype ? datatype : "";
  bool known = false;
  for (const TypeName& entry : kTypes) {
    if (type == entry.name) {
      field.type = entry.type;
      known = true;
    }
  }
  if (!known) {
    Fail("FIELD '" + field.name + "': datatype '" + std::string(type) + "' is not a VOTable type");
    return false;
  }
  const XML_Char* arraysize = Attribute(attributes, "arraysize");
  if (arraysize && !ParseArraySize(arraysize, &field.count, &field.variable)) {
    Fail("FIELD '" + field.name + "': arraysize '" + std::string(arraysize) + "' is not an array size");
    return false;
  }
  m_fields.push_back(std::move(field));
  return true;
}

bool VotableReader::ParseCell(const Field& field, std::string_view text, Cell* cell) {
  cell->null = false;
  cell->integral = false;
  if (IsText(field.type)) {
    if (text.data() != cell->text.data()) cell->text.assign(text);
    cell->null = field.null && text == *field.null;
    return true;
  }
  const std::string_view value = Trimmed(text);
  if (value.empty() || (field.null && value == Trimmed(*field.null))) {
    cell->null = true;
    return true;
  }
  if (IsInteger(field.type)) {
    if (!ParseInteger(value, &cell->integer)) return false;
    cell->integral = true;
    cell->number = static_cast<double>(cell->integer);
    cell->null = field.nullInteger && cell->integer == *field.nullInteger;
    return true;
  }
  const auto [end, problem] = std::from_chars(value.data(), value.data() + value.size(), cell->number);
  if (problem != std::errc() || end != value.data() + value.size()) return false;
  cell->null = !std::isfinite(cell->number);
  return true;
}

std::string VotableReader::CellError(size_t field, uint64_t row, std::string_view text) const {
  const Field& column = m_fields[field];
  return m_path + ": VOTable row " + std::to_string(row) + ": column '" + column.name + "': '" +
         std::string(text) + "' is not " + (IsInteger(column.type) ? "a whole number" : "a number");
}

// Keeps a wanted cell's text for ParseRowText.
void VotableReader::EndCell() {
  const size_t column = m_column++;
  if (column < m_fields.size() && m_fields[column].wanted) RowCells()[column].text.swap(m_cellText);
}

void VotableReader::EndRow() {
  if (m_column != m_fields.size())
    return Fail("VOTable row " + std::to_string(m_rowsParsed + 1) + ": " + std::to_string(m_column) +
                " cells where the table has " + std::to_string(m_fields.size()) + " fields");
  ++m_rowsParsed;
  if (++m_queued >= kQueueRows) Stop(true);
}

bool VotableReader::DecodeBase64(std::string_view text) {
  if (m_binaryPos > kBlockBytes) {  // drop the bytes already made into rows
    m_binary.erase(0, m_binaryPos);
    m_binaryPos = 0;
  }
  for (const char c : text) {
    const int value = kBase64[static_cast<unsigned char>(c)];
    if (value >= 0) {
      m_base64Bits = m_base64Bits << 6 | static_cast<uint32_t>(value);
      if (++m_base64Count % 4 == 0) {
        m_binary.push_back(static_cast<char>(m_base64Bits >> 16));
        m_binary.push_back(static_cast<char>(m_base64Bits >> 8));
        m_binary.push_back(static_cast<char>(m_base64Bits));
      }
    } else if (value == -2) {  // padding: the group's last one or two bytes are not data
      const int inGroup = m_base64Count % 4;
      if (inGroup == 2) m_binary.push_back(static_cast<char>(m_base64Bits >> 4));
      if (inGroup == 3) {
        m_binary.push_back(static_cast<char>(m_base64Bits >> 10));
        m_binary.push_back(static_cast<char>(m_base64Bits >> 2));
      }
      m_base64Count += inGroup == 0 ? 0 : 4 - inGroup;
      m_base64Bits = 0;
    } else if (value == -3) {
      Fail("a STREAM with a character that is not base64");
      return false;
    }
  }
  return true;
}

// Cuts every complete row from the decoded bytes.
void VotableReader::ReadBinaryRows() {
  const size_t width = m_fields.size();
  const size_t flagBytes = m_data == Data::Binary2 ? (width + 7) / 8 : 0;
  for (;;) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(m_binary.data()) + m_binaryPos;
    const size_t available = m_binary.size() - m_binaryPos;
    // First pass: is the whole row here?
    size_t length = flagBytes;
    for (const Field& field : m_fields) {
      int64_t count = field.count;
      if (field.variable) {
        if (available < length + 4) return;
        count = static_cast<int64_t>(BigEndian(begin + length, 4));
        length += 4;
      }
      const int64_t bytes = field.type == Type::Bit ? (count + 7) / 8 : count * ElementBytes(field.type);
      if (bytes > static_cast<int64_t>(kMaxCellBytes))
        return Fail("VOTable row " + std::to_string(m_rowsParsed + 1) + ": column '" + field.name +
                    "': " + std::to_string(count) + " elements, more than is read");
      length += static_cast<size_t>(bytes);
      if (available < length) return;
    }
    // Second pass: decode the wanted cells.
    Cell* cells = RowCells();
    const unsigned char* p = begin + flagBytes;
    for (size_t i = 0; i < width; ++i) {
      const Field& field = m_fields[i];
      int64_t count = field.count;
      if (field.variable) {
        count = static_cast<int64_t>(BigEndian(p, 4));
        p += 4;
      }
      const int size = ElementBytes(field.type);
      const size_t bytes = static_cast<size_t>(field.type == Type::Bit ? (count + 7) / 8 : count * size);
      if (field.wanted) {
        Cell& cell = cells[i];
        cell.null = flagBytes && (begin[i / 8] & (0x80 >> (i % 8)));
        cell.integral = false;
        if (field.type == Type::Char) {
          const auto* text = reinterpret_cast<const char*>(p);
          cell.text.assign(text, strnlen(text, bytes));
        } else if (field.type == Type::UnicodeChar) {
          cell.text.clear();
          for (size_t k = 0; k + 1 < bytes; k += 2) {
            const auto code = static_cast<uint32_t>(BigEndian(p + k, 2));
            if (code == 0) break;
            AppendUtf8(cell.text, code);
          }
        } else if (count == 1 && IsInteger(field.type)) {
          const uint64_t bits = BigEndian(p, size);
          const int shift = 64 - 8 * size;  // sign-extend, unsignedByte excepted
          cell.integer = field.type == Type::UnsignedByte ? static_cast<int64_t>(bits)
                                                          : static_cast<int64_t>(bits << shift) >> shift;
          cell.integral = true;
          cell.number = static_cast<double>(cell.integer);
          if (field.nullInteger && cell.integer == *field.nullInteger) cell.null = true;
        } else if (count == 1 && (field.type == Type::Float || field.type == Type::Double)) {
          if (field.type == Type::Float) {
            const auto bits = static_cast<uint32_t>(BigEndian(p, 4));
            float value;
            std::memcpy(&value, &bits, 4);
            cell.number = value;
          } else {
            const uint64_t bits = BigEndian(p, 8);
            std::memcpy(&cell.number, &bits, 8);
          }
          if (!std::isfinite(cell.number)) cell.null = true;
        } else {
          cell.null = true;  // a type no reader asks for
        }
      }
      p += bytes;
    }
    m_binaryPos += length;
    ++m_rowsParsed;
    ++m_queued;
    if (m_queued >= kQueueRows) Stop(true);
  }
}
