// The search for the map and the figures file.
#include "shell/MapLocation.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kMapFileName = "map.smp";
constexpr const char* kFigureFileName = "figures.txt";

std::vector<std::string> Candidates(const char* fileName, const std::string& programDir,
                                    const std::string& dataDir) {
  return {fileName, (std::filesystem::path(programDir) / fileName).string(),
          (std::filesystem::path(dataDir) / fileName).string()};
}

}  // namespace

std::vector<std::string> MapCandidates(const std::string& programDir, const std::string& dataDir) {
  return Candidates(kMapFileName, programDir, dataDir);
}

std::vector<std::string> FigureFileCandidates(const std::string& programDir, const std::string& dataDir) {
  return Candidates(kFigureFileName, programDir, dataDir);
}

std::string ChooseMapPath(const std::vector<std::string>& candidates) {
  for (const std::string& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return candidates.empty() ? kMapFileName : candidates.front();
}
