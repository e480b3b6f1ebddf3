// Test helpers for the map tools: a scratch directory that is removed at the
// end, file reading and writing, and loading a map with the program's loader.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "MakeMap.h"
#include "MapInfo.h"

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : m_path(std::filesystem::temp_directory_path() /
               ("vantaro-tools-" + std::to_string(getpid()) + "-" + name)) {
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string Path(const std::string& name) const { return (m_path / name).string(); }

  std::string Write(const std::string& name, const std::string& content) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

 private:
  std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The header line of this project's catalogue.
inline constexpr const char* kCatalogHeader =
    "id,hip,hd,proper,dm,ra,dec,dist,mag,absmag,spect,x,y,z,plx,plx_err,src\n";

// Runs MakeMap and returns its exit code; the log goes to *log.
inline int RunMakeMap(MakeMapOptions options, std::string* log = nullptr, MakeMapSummary* summary = nullptr) {
  std::ostringstream out;
  const int code = MakeMap(options, out, summary);
  if (log) *log = out.str();
  return code;
}

// Loads a map file with the program's loader; fails the test when it cannot.
inline void LoadMap(const std::string& path, LoadedMap* map) {
  std::string error;
  ASSERT_TRUE(LoadMapFile(path, map, &error)) << error;
  ASSERT_EQ(map->loaded, 1) << DescribeRejection(map->diagnosis.rejection);
}
