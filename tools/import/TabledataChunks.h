// TabledataChunks: the rows of a TABLEDATA element parsed on several threads.
// One thread reads the element's content and cuts it into chunks at row
// starts (<TR), two parse the chunks, each with an expat parser of its own
// that sees the chunk wrapped in an element of its own, and the rows are
// taken in their order. A chunk holding anything but rows of cells (a
// comment, a CDATA section, a processing instruction, an entity reference
// expat does not know alone, a malformed or wrongly counted row, a cell too
// long) is not parsed here: from its first byte on the single parser reads the
// document, so that what it reports stays exactly what it would have been.
#pragma once

#include <zlib.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "VotableReader.h"

class TabledataChunks {
 public:
  using Cell = VotableReader::Cell;
  using Field = VotableReader::Field;

  // The TABLEDATA start tag as written, beginning on line, and the content
  // read after it; the rest comes from file.
  TabledataChunks(gzFile file, std::string_view startTag, uint64_t line, std::string content,
                  const std::vector<Field>& fields, std::atomic<uint64_t>& bytesRead);
  ~TabledataChunks();
  TabledataChunks(const TabledataChunks&) = delete;
  TabledataChunks& operator=(const TabledataChunks&) = delete;

  // A cell whose text is no value of its field, and the row it is on (from 0).
  struct BadCell {
    size_t row = 0, field = 0;
    std::string text;
  };
  // Takes the next chunk's rows (cells already parsed, fields.size() a row)
  // and swaps *cells with them. false when the single parser must go on:
  // then TakeOver gives what it must read.
  bool Take(std::vector<Cell>* cells, size_t* rows, std::optional<BadCell>* bad);
  // Stops the threads; returns the bytes the single parser reads before the
  // rest of the file, and sets *line to the line they begin on.
  std::string TakeOver(uint64_t* line);

 private:
  struct Chunk {
    std::string bytes;
    uint64_t line = 0;
    bool handOver = false;  // the single parser reads on from here
    bool parsing = false, parsed = false;
    std::vector<Cell> cells;
    size_t rows = 0;
    std::optional<BadCell> bad;
  };
  class Parser;

  void Split();
  void Parse();
  bool ReadMore();
  std::unique_ptr<Chunk> NewChunk();
  void Stop();

  gzFile m_file;
  std::string m_pending;  // read, not yet in a chunk
  bool m_inputDone = false;
  uint64_t m_line;
  std::string m_rowTag, m_endTag;
  const std::vector<Field>& m_fields;
  std::atomic<uint64_t>& m_bytesRead;

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::unique_ptr<Chunk>> m_chunks;  // in the document's order
  size_t m_bytesAhead = 0;                      // their bytes
  std::vector<std::unique_ptr<Chunk>> m_spare;
  bool m_stop = false;
  std::thread m_splitter;
  std::vector<std::thread> m_parsers;
};
