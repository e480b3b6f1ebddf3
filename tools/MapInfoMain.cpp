// vantaro-mapinfo: checks a map file with the program's own loader and
// reports on it, lists its stars as CSV, or finds stars by name.
#include <iostream>

#include "ExitCodes.h"
#include "MapInfo.h"
#include "MapInfoCommandLine.h"

int main(int argc, char** argv) {
  const MapInfoCommandLine commandLine = ParseMapInfoCommandLine({argv + 1, argv + argc});
  if (commandLine.help) {
    std::cout << kMapInfoUsage;
    return kExitSuccess;
  }
  if (!commandLine.error.empty()) {
    std::cerr << "vantaro-mapinfo: " << commandLine.error << "\n" << kMapInfoUsage;
    return kExitFailure;
  }
  const std::string& path = commandLine.path;
  const std::string& query = commandLine.query;

  LoadedMap map;
  const bool opened = LoadMapFile(path, &map);
  if (!map.loaded) {
    std::cerr << "vantaro-mapinfo: ";
    WriteRejection(std::cerr, map);
    return opened ? kExitBadInput : kExitFailure;
  }
  switch (commandLine.task) {
    case MapInfoTask::Report:
      WriteReport(std::cout, map);
      return kExitSuccess;
    case MapInfoTask::Csv:
      WriteStarsCsv(std::cout, map.catalog);
      return std::cout.flush() ? kExitSuccess : kExitFailure;
    case MapInfoTask::Find:
    case MapInfoTask::Near: {
      const bool found = commandLine.task == MapInfoTask::Find
                             ? WriteFoundStars(std::cout, map.catalog, NameQuery(query))
                             : WriteNearStars(std::cout, map.catalog, NameQuery(query), commandLine.radius);
      if (!found) std::cerr << "vantaro-mapinfo: no star whose name starts with '" << query << "'\n";
      return found ? kExitSuccess : kExitFailure;
    }
  }
  return kExitFailure;
}
