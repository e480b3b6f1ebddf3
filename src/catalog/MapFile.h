// The small file layer the map loader reads through: a read-only file and a
// load archive over it, through the C library; a missing file is never
// created.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Opens for reading only. On failure returns false, errorText names the
  // cause and errno holds it.
  bool Open(const std::string& path, std::string* errorText = nullptr);
  bool IsOpen() const { return m_file != nullptr; }
  uint64_t GetLength() const;
  // Reads up to count bytes from the current position; returns the bytes read.
  size_t Read(void* buffer, size_t count);
  void Close();

 private:
  std::FILE* m_file = nullptr;
};

// Load-mode archive over an open file. Reads go straight to the file, so
// Flush has nothing to reconcile; it exists for the loader's order of steps.
class LoadArchive {
 public:
  explicit LoadArchive(ReadOnlyFile& file) : m_file(file) {}
  void Flush() {}
  ReadOnlyFile& GetFile() { return m_file; }
  size_t Read(void* buffer, size_t count) { return m_file.Read(buffer, count); }

 private:
  ReadOnlyFile& m_file;
};
