// Cutting: every '<' of the content is looked at. Where none starts a
// comment, a CDATA section or a processing instruction ("<!", "<?"), each is
// a tag, so a row tag found at one is a row's start and the element's end
// tag is its end: the chunks between hold whole rows. Parsing: a chunk must
// be rows of cells only; whatever else it holds hands it to the single parser.
#include "TabledataChunks.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kChunkBytes = 1 << 19;    // a chunk ends at the first row start after this many bytes
constexpr size_t kLongestChunk = 1 << 22;  // without a row start in this many, the single parser reads on
constexpr size_t kReadBytes = 1 << 18;
constexpr size_t kChunksAhead = 8;       // cut, not yet taken: at most this many chunks
constexpr size_t kBytesAhead = 1 << 23;  // and of this many bytes
constexpr int kParserThreads = 2;

bool EndsName(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/'; }

// The first tag at or after from that is followed by what may end its name, or npos.
size_t FindTag(std::string_view bytes, std::string_view tag, size_t from) {
  while (from < bytes.size()) {
    const void* found = memmem(bytes.data() + from, bytes.size() - from, tag.data(), tag.size());
    if (!found) break;
    const auto at = static_cast<size_t>(static_cast<const char*>(found) - bytes.data());
    if (at + tag.size() < bytes.size() && EndsName(bytes[at + tag.size()])) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

// Whether the bytes hold a comment, a CDATA section, a document type
// declaration or a processing instruction: "<!" or "<?".
bool HoldsOtherMarkup(std::string_view bytes) {
  for (const char mark : {'!', '?'})
    for (size_t at = bytes.find(mark, 1); at != std::string_view::npos; at = bytes.find(mark, at + 1))
      if (bytes[at - 1] == '<') return true;
  return bytes.starts_with('!') || bytes.starts_with('?');
}

// The line breaks in bytes as expat counts them: "\r\n", "\r" and "\n" each one.
uint64_t LineBreaks(std::string_view bytes) {
  uint64_t breaks = 0;
  for (size_t at = bytes.find('\n'); at != std::string_view::npos; at = bytes.find('\n', at + 1)) ++breaks;
  for (size_t at = bytes.find('\r'); at != std::string_view::npos; at = bytes.find('\r', at + 1))
    if (at + 1 == bytes.size() || bytes[at + 1] != '\n') ++breaks;
  return breaks;
}

}  // namespace

// One thread's expat parser and the row it is reading.
class TabledataChunks::Parser {
 public:
  explicit Parser(const std::vector<Field>& fields)
      : m_fields(fields), m_parser(XML_ParserCreate("UTF-8")), m_spans(fields.size()) {}
  ~Parser() {
    if (m_parser) XML_ParserFree(m_parser);
  }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  // Reads the chunk's rows; false when the single parser must read it.
  bool Run(Chunk& chunk) {
    chunk.rows = 0;
    if (!m_parser || XML_ParserReset(m_parser, "UTF-8") != XML_TRUE) return false;
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(m_parser, OnText);
    m_chunk = &chunk;
    m_depth = 0;
    m_inCell = m_failed = false;
    static constexpr std::string_view kOpen = "<chunk>", kClose = "</chunk>";
    const auto parse = [this](std::string_view bytes, bool last) {
      return XML_Parse(m_parser, bytes.data(), static_cast<int>(bytes.size()), last) == XML_STATUS_OK;
    };
    const bool parsed = parse(kOpen, false) && parse(chunk.bytes, false) && parse(kClose, true);
    return chunk.bad || (parsed && !m_failed);
  }

 private:
  struct Span {
    size_t begin = 0, end = 0;
  };

  static void OnStart(void* self, const XML_Char* name, const XML_Char**) {
    static_cast<Parser*>(self)->Start(VotableReader::LocalName(name));
  }
  static void OnEnd(void* self, const XML_Char*) { static_cast<Parser*>(self)->End(); }
  static void OnText(void* self, const XML_Char* text, int length) {
    static_cast<Parser*>(self)->Text(std::string_view(text, static_cast<size_t>(length)));
  }

  // Depth 1 is the wrapper, 2 a row, 3 a cell.
  void Start(std::string_view name) {
    ++m_depth;
    if (m_depth == 1) return;
    if (m_depth == 2 && name == "TR") {
      m_column = 0;
      m_rowText.clear();
    } else if (m_depth == 3 && name == "TD") {
      m_inCell = true;
      m_cellStart = m_rowText.size();
    } else {
      Fail();
    }
  }

  void End() {
    const int depth = m_depth--;
    if (depth == 3) {
      m_inCell = false;
      if (m_column < m_spans.size()) m_spans[m_column] = {m_cellStart, m_rowText.size()};
      ++m_column;
    } else if (depth == 2) {
      EndRow();
    }
  }

  void Text(std::string_view text) {
    if (!m_inCell || m_column >= m_fields.size() || !m_fields[m_column].wanted) return;
    if (m_rowText.size() - m_cellStart + text.size() > VotableReader::kMaxCellBytes) return Fail();
    m_rowText.append(text);
  }

  void EndRow() {
    const size_t width = m_fields.size();
    if (m_column != width) return Fail();
    Chunk& chunk = *m_chunk;
    if (chunk.cells.size() < (chunk.rows + 1) * width) chunk.cells.resize((chunk.rows + 1) * width);
    Cell* cells = &chunk.cells[chunk.rows * width];
    for (size_t i = 0; i < width; ++i) {
      if (!m_fields[i].wanted) continue;
      const std::string_view text =
          std::string_view(m_rowText).substr(m_spans[i].begin, m_spans[i].end - m_spans[i].begin);
      if (!VotableReader::ParseCell(m_fields[i], text, &cells[i])) {
        chunk.bad = BadCell{chunk.rows, i, std::string(text)};
        XML_StopParser(m_parser, XML_FALSE);
        return;
      }
    }
    ++chunk.rows;
  }

  void Fail() {
    m_failed = true;
    XML_StopParser(m_parser, XML_FALSE);
  }

  const std::vector<Field>& m_fields;
  XML_Parser m_parser;
  Chunk* m_chunk = nullptr;
  int m_depth = 0;
  bool m_inCell = false, m_failed = false;
  size_t m_column = 0, m_cellStart = 0;
  std::string m_rowText;  // the wanted cells' text of the current row
  std::vector<Span> m_spans;
};

TabledataChunks::TabledataChunks(gzFile file, std::string_view startTag, uint64_t line, std::string content,
                                 const std::vector<Field>& fields, std::atomic<uint64_t>& bytesRead)
    : m_file(file),
      m_pending(std::move(content)),
      m_line(line + LineBreaks(startTag)),
      m_fields(fields),
      m_bytesRead(bytesRead) {
  const std::string_view name = startTag.substr(1, startTag.find_first_of(" \t\r\n/>") - 1);
  const size_t colon = name.rfind(':');
  m_rowTag.append("<").append(name.substr(0, colon == std::string_view::npos ? 0 : colon + 1)).append("TR");
  m_endTag.append("</").append(name);
  m_splitter = std::thread([this] { Split(); });
  for (int i = 0; i < kParserThreads; ++i) m_parsers.emplace_back([this] { Parse(); });
}

TabledataChunks::~TabledataChunks() { Stop(); }

void TabledataChunks::Stop() {
  {
    const std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_changed.notify_all();
  if (m_splitter.joinable()) m_splitter.join();
  for (std::thread& parser : m_parsers)
    if (parser.joinable()) parser.join();
}

std::unique_ptr<TabledataChunks::Chunk> TabledataChunks::NewChunk() {
  std::unique_ptr<Chunk> chunk;
  {
    const std::lock_guard lock(m_mutex);
    if (!m_spare.empty()) {
      chunk = std::move(m_spare.back());
      m_spare.pop_back();
    }
  }
  if (!chunk) return std::make_unique<Chunk>();
  chunk->bytes.clear();
  if (chunk->bytes.capacity() > 2 * kChunkBytes) chunk->bytes.shrink_to_fit();  // after a long row
  chunk->handOver = chunk->parsing = chunk->parsed = false;
  chunk->rows = 0;
  chunk->bad.reset();
  return chunk;
}

bool TabledataChunks::ReadMore() {
  const size_t old = m_pending.size();
  m_pending.resize(old + kReadBytes);
  const int count = gzread(m_file, m_pending.data() + old, kReadBytes);
  m_pending.resize(old + static_cast<size_t>(std::max(count, 0)));
  m_inputDone = count <= 0;  // an error the single parser's own read reports
  m_bytesRead.store(static_cast<uint64_t>(std::max<z_off_t>(gzoffset(m_file), 0)), std::memory_order_relaxed);
  return count > 0;
}

// Cuts the chunks, keeping kChunksAhead of them at most, until one hands over.
void TabledataChunks::Split() {
  for (;;) {
    {
      std::unique_lock lock(m_mutex);
      m_changed.wait(
          lock, [this] { return m_stop || (m_chunks.size() < kChunksAhead && m_bytesAhead < kBytesAhead); });
      if (m_stop) return;
    }
    if (!m_inputDone && m_pending.size() < kChunkBytes + kReadBytes / 2 && ReadMore()) continue;
    const std::string_view bytes = m_pending;
    size_t cut = FindTag(bytes, m_rowTag, std::min(kChunkBytes, bytes.size()));
    const size_t end = FindTag(bytes.substr(0, cut), m_endTag, 0);
    if (end != std::string_view::npos) cut = end;
    if (cut == std::string_view::npos && !m_inputDone && bytes.size() < kLongestChunk && ReadMore()) continue;
    std::unique_ptr<Chunk> chunk = NewChunk();
    chunk->line = m_line;
    if (cut == std::string_view::npos || cut == 0 || HoldsOtherMarkup(bytes.substr(0, cut))) {
      chunk->handOver = true;
    } else {
      chunk->bytes.swap(m_pending);  // the chunk keeps the bytes read, the rest is copied back
      m_pending.assign(chunk->bytes, cut);
      chunk->bytes.resize(cut);
      m_line += LineBreaks(chunk->bytes);
    }
    const bool last = chunk->handOver;
    {
      const std::lock_guard lock(m_mutex);
      m_bytesAhead += chunk->bytes.size();
      m_chunks.push_back(std::move(chunk));
    }
    m_changed.notify_all();
    if (last) return;
  }
}

// Parses the first chunk no thread has taken, until stopped.
void TabledataChunks::Parse() {
  Parser parser(m_fields);
  for (;;) {
    Chunk* chunk = nullptr;
    {
      std::unique_lock lock(m_mutex);
      const auto waiting = [](const std::unique_ptr<Chunk>& c) {
        return !c->handOver && !c->parsing && !c->parsed;
      };
      m_changed.wait(lock, [&] {
        return m_stop || std::find_if(m_chunks.begin(), m_chunks.end(), waiting) != m_chunks.end();
      });
      if (m_stop) return;
      chunk = std::find_if(m_chunks.begin(), m_chunks.end(), waiting)->get();
      chunk->parsing = true;
    }
    const bool read = parser.Run(*chunk);
    {
      const std::lock_guard lock(m_mutex);
      chunk->parsing = false;
      chunk->parsed = true;
      chunk->handOver = !read;
    }
    m_changed.notify_all();
  }
}

bool TabledataChunks::Take(std::vector<Cell>* cells, size_t* rows, std::optional<BadCell>* bad) {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] {
    return !m_chunks.empty() &&
           (m_chunks.front()->parsed || (m_chunks.front()->handOver && !m_chunks.front()->parsing));
  });
  Chunk& chunk = *m_chunks.front();
  if (chunk.handOver) return false;
  cells->swap(chunk.cells);
  *rows = chunk.rows;
  *bad = std::move(chunk.bad);
  m_bytesAhead -= chunk.bytes.size();
  m_spare.push_back(std::move(m_chunks.front()));
  m_chunks.pop_front();
  lock.unlock();
  m_changed.notify_all();
  return true;
}

std::string TabledataChunks::TakeOver(uint64_t* line) {
  Stop();
  *line = m_chunks.empty() ? m_line : m_chunks.front()->line;
  std::string bytes;
  for (const std::unique_ptr<Chunk>& chunk : m_chunks) bytes += chunk->bytes;
  bytes += m_pending;
  m_chunks.clear();
  return bytes;
}
