// A check of FITS headers before CFITSIO parses them. CFITSIO 4.2 (Debian 12)
// copies an unquoted TTYPEn value of 70 characters or more into its 70-byte
// column name with strcpy, and the fortified C library aborts the program;
// and it allocates and fills a column record for each of TFIELDS, whatever
// the number. This reads each header as stored (a file on disk, plain or
// compressed in any of the ways CFITSIO reads, or a file in memory) and finds
// such a card first.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DecompressedFile.h"

// Whether a file's first bytes are those of a compression that CFITSIO reads
// and zlib does not (Unix compress, zip, bzip2).
bool IsCompressedBeyondZlib(std::string_view start);

class FitsHeaderCheck {
 public:
  // With data, the FITS file is the size bytes there; else the file at path.
  FitsHeaderCheck(const std::string& path, const void* data, size_t size);
  ~FitsHeaderCheck();
  FitsHeaderCheck(const FitsHeaderCheck&) = delete;
  FitsHeaderCheck& operator=(const FitsHeaderCheck&) = delete;

  // Reads the header that starts at offset (up to its END card) and returns
  // what is wrong with its first card CFITSIO cannot take ("header card
  // 'TTYPE1': ..."), or "" (also when there is no header there: CFITSIO then
  // says what is wrong).
  std::string UnsafeCard(uint64_t offset);

 private:
  bool ReadRecord(uint64_t offset, char* record);

  const char* m_data = nullptr;
  size_t m_size = 0;
  gzFile m_file = nullptr;
  std::unique_ptr<DecompressedFile> m_decompressed;  // the forms zlib cannot read
};
