// DecompressedFile: the bytes of a file compressed in one of the ways that
// CFITSIO reads and zlib does not (Unix compress, bzip2, or the first member
// of a zip archive), read forwards through libarchive, so that its FITS
// headers can be looked at before CFITSIO parses them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct archive;

class DecompressedFile {
 public:
  explicit DecompressedFile(std::string path);
  ~DecompressedFile();
  DecompressedFile(const DecompressedFile&) = delete;
  DecompressedFile& operator=(const DecompressedFile&) = delete;

  // Up to size bytes from offset of the decompressed bytes into buffer: how
  // many (fewer at the end, 0 past it or when the file cannot be read). An
  // offset before the last one read starts the decompression again.
  size_t Read(uint64_t offset, char* buffer, size_t size);

 private:
  bool Restart();
  void Close();

  std::string m_path;
  archive* m_archive = nullptr;
  uint64_t m_position = 0;  // of the next decompressed byte
  std::vector<char> m_skipped;
};
