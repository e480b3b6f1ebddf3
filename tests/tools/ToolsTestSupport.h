// Test helpers for the map tools: the temporary directory they work in, file
// reading, running vantaro-mkmap and loading a map with the program's loader.
#pragma once

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "MakeMap.h"
#include "MapInfo.h"
#include "TempDirectory.h"
#include "catalog/MapFailureText.h"

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
  ASSERT_EQ(LoadMapFile(path, map) && map->loaded, true) << MapFailureMessage(path, map->diagnosis);
}
