// Test helper: a fresh directory under the system's temporary directory,
// removed with everything in it when the helper goes out of scope.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

class TempDirectory {
 public:
  // The directory's name holds the process id, so that test processes run in
  // parallel never share one.
  explicit TempDirectory(const std::string& name)
      : m_path(std::filesystem::temp_directory_path() /
               ("vantaro-test-" + std::to_string(getpid()) + "-" + name)) {
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

  // Writes content to the named file, replacing it, and returns its path.
  std::string Write(const std::string& name, std::string_view content) const {
    const std::string path = File(name);
    std::ofstream(path, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
    return path;
  }
  std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    return Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

 private:
  std::filesystem::path m_path;
};
