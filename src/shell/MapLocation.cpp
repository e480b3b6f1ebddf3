// The map search.
#include "shell/MapLocation.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kMapFileName = "map.smp";

}  // namespace

std::vector<std::string> MapCandidates(const std::string& programDir, const std::string& dataDir) {
  return {kMapFileName, (std::filesystem::path(programDir) / kMapFileName).string(),
          (std::filesystem::path(dataDir) / kMapFileName).string()};
}

std::string ChooseMapPath(const std::vector<std::string>& candidates) {
  for (const std::string& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return candidates.empty() ? kMapFileName : candidates.front();
}
