// ReadOnlyFile: a file opened for reading only, through the C library. Opening
// never creates a file; a failure reports the system's text for its cause.
#include "catalog/MapFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

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
  return std::fread(buffer, 1, count, m_file);
}

void ReadOnlyFile::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}
