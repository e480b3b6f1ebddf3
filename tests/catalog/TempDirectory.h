// Test helper: a fresh directory under the system's temporary directory,
// removed with everything in it when the helper goes out of scope.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "MapBytes.h"

class TempDirectory {
 public:
  explicit TempDirectory(const std::string& name) {
    m_path =
        std::filesystem::temp_directory_path() / ("vantaro-catalog-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  std::string File(const std::string& name) const { return (m_path / name).string(); }

  std::string Write(const std::string& name, const Bytes& bytes) const {
    const std::string path = File(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
  }

 private:
  std::filesystem::path m_path;
};
