// ReadOnlyFile: a file opened for reading only, through the C library. Opening
// never creates a file; a failure reports the system's text for its cause.
// Large reads go straight to the descriptor in pieces read side by side.
#include "catalog/MapFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "parallel/ParallelRange.h"

namespace {

constexpr size_t kReadPieceBytes = size_t{64} << 20;  // reads this large and larger are shared out

// Reads up to count bytes at offset, retrying short reads; returns the bytes read.
size_t ReadAt(int descriptor, unsigned char* buffer, size_t count, off_t offset) {
  size_t done = 0;
  while (done < count) {
    const ssize_t got = pread(descriptor, buffer + done, count - done, offset + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

// Reads count bytes at offset in pieces on all cores; returns the bytes read
// before the first piece that came up short.
size_t ReadInPieces(int descriptor, unsigned char* buffer, size_t count, off_t offset) {
  const auto pieces = static_cast<int64_t>((count + kReadPieceBytes - 1) / kReadPieceBytes);
  std::vector<size_t> got(static_cast<size_t>(pieces));
  ForEachChunk(pieces, 1, [&](int64_t begin, int64_t end) {
    for (int64_t piece = begin; piece < end; ++piece) {
      const size_t start = static_cast<size_t>(piece) * kReadPieceBytes;
      const size_t length = std::min(kReadPieceBytes, count - start);
      got[static_cast<size_t>(piece)] =
          ReadAt(descriptor, buffer + start, length, offset + static_cast<off_t>(start));
    }
  });
  size_t total = 0;
  for (size_t piece = 0; piece < got.size(); ++piece) {
    total += got[piece];
    if (got[piece] < std::min(kReadPieceBytes, count - piece * kReadPieceBytes)) break;
  }
  return total;
}

}  // namespace

ReadOnlyFile::~ReadOnlyFile() { Close(); }

bool ReadOnlyFile::Open(const std::string& path, std::string* errorText) {
  Close();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  int error = file ? 0 : errno;
  // The C library opens a directory for reading; it holds no map, so refuse it here.
  struct stat info;
  if (file && fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file);
    file = nullptr;
    error = EISDIR;
  }
  if (!file) {
    if (errorText) *errorText = std::strerror(error);
    errno = error;
    return false;
  }
  m_file = file;
  return true;
}

uint64_t ReadOnlyFile::GetLength() const {
  if (!m_file) return 0;
  const long position = std::ftell(m_file);
  if (position < 0 || std::fseek(m_file, 0, SEEK_END) != 0) return 0;
  const long length = std::ftell(m_file);
  std::fseek(m_file, position, SEEK_SET);
  return length < 0 ? 0 : static_cast<uint64_t>(length);
}

size_t ReadOnlyFile::Read(void* buffer, size_t count) {
  if (!m_file || count == 0) return 0;
  const long position = std::ftell(m_file);
  if (count < kReadPieceBytes || position < 0) return std::fread(buffer, 1, count, m_file);
  // From the stream's position, past anything it holds buffered; then the
  // stream is moved past what was read.
  const size_t read = ReadInPieces(fileno(m_file), static_cast<unsigned char*>(buffer), count, position);
  std::fseek(m_file, position + static_cast<long>(read), SEEK_SET);
  return read;
}

void ReadOnlyFile::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}
