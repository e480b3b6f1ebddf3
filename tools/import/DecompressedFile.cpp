// Reading a compressed file's bytes forwards through libarchive.
#include "DecompressedFile.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <utility>

namespace {

constexpr size_t kBlockBytes = 1 << 16;

}  // namespace

DecompressedFile::DecompressedFile(std::string path) : m_path(std::move(path)) {}

DecompressedFile::~DecompressedFile() { Close(); }

void DecompressedFile::Close() {
  if (m_archive) archive_read_free(m_archive);
  m_archive = nullptr;
}

bool DecompressedFile::Restart() {
  Close();
  m_position = 0;
  m_archive = archive_read_new();
  if (!m_archive) return false;
  // A zip archive's first member, or the one stream of the other forms.
  archive_read_support_filter_all(m_archive);
  archive_read_support_format_zip(m_archive);
  archive_read_support_format_raw(m_archive);
  archive_entry* entry = nullptr;
  if (archive_read_open_filename(m_archive, m_path.c_str(), kBlockBytes) != ARCHIVE_OK ||
      archive_read_next_header(m_archive, &entry) != ARCHIVE_OK) {
    Close();
    return false;
  }
  return true;
}

size_t DecompressedFile::Read(uint64_t offset, char* buffer, size_t size) {
  if ((!m_archive || offset < m_position) && !Restart()) return 0;
  m_skipped.resize(kBlockBytes);
  while (m_position < offset) {
    const la_ssize_t got =
        archive_read_data(m_archive, m_skipped.data(), std::min<uint64_t>(kBlockBytes, offset - m_position));
    if (got <= 0) return 0;
    m_position += static_cast<uint64_t>(got);
  }
  size_t count = 0;
  while (count < size) {
    const la_ssize_t got = archive_read_data(m_archive, buffer + count, size - count);
    if (got <= 0) break;
    count += static_cast<size_t>(got);
  }
  m_position += count;
  return count;
}
