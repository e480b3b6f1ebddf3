// vantaro-mapinfo: checks a map file with the program's own loader and
// reports on it, lists its stars as CSV, or finds stars by name.
#include <iostream>

#include "CatalogColumns.h"
#include "CommandLine.h"
#include "ExitCodes.h"
#include "MapInfo.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantaro-mapinfo [--csv | --find TEXT | --near NAME [--radius LY]] [MAP]\n"
    "Checks the map file MAP (default map.smp) with Vantaro's own loader. Without options it\n"
    "reports the encoding, star count, ranges, designations and the nearest and brightest stars.\n"
    "\n"
    "  --csv           write the stars as CSV (id,hip,proper,spect,x,y,z,absmag; x, y, z in\n"
    "                  parsecs in the map's frame), which vantaro-mkmap --frame map reads back\n"
    "  --find TEXT     list the stars whose names start with TEXT\n"
    "  --near NAME     list the stars around the first star whose name starts with NAME,\n"
    "                  nearest first, with their distances in light years\n"
    "  --radius LY     radius for --near (default 10)\n"
    "Designations may be typed as in catalogues (\"BD+38 4343\") or as stored (\"B+38°4343\").\n"
    "\n"
    "Exit status: 0 success, 1 usage error, unreadable file or no star found, 2 map rejected.\n";

enum class Task { Report, Csv, Find, Near };

int UsageError(const std::string& text) {
  std::cerr << "vantaro-mapinfo: " << text << "\n" << kUsage;
  return kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine arguments(argc, argv);
  Task task = Task::Report;
  std::string path = "map.smp", query, value;
  double radius = 10.0;
  bool havePath = false;
  while (!arguments.AtEnd()) {
    const std::string option = arguments.Current();
    if (arguments.TakeFlag("-h") || arguments.TakeFlag("--help")) {
      std::cout << kUsage;
      return kExitSuccess;
    }
    if (arguments.TakeFlag("--csv")) {
      task = Task::Csv;
    } else if (arguments.TakeOption("--find", &query)) {
      task = Task::Find;
    } else if (arguments.TakeOption("--near", &query)) {
      task = Task::Near;
    } else if (arguments.TakeOption("--radius", &value)) {
      if (!ParseDecimal(value, &radius) || radius < 0.0) return UsageError("--radius needs a distance >= 0");
    } else if (arguments.MissingValue()) {
      return UsageError(option + " needs a value");
    } else if (arguments.CurrentIsOption()) {
      return UsageError("unknown option '" + option + "'");
    } else if (havePath) {
      return UsageError("more than one map file given");
    } else {
      path = arguments.TakeOperand();
      havePath = true;
    }
  }

  LoadedMap map;
  const bool opened = LoadMapFile(path, &map);
  if (!map.loaded) {
    std::cerr << "vantaro-mapinfo: ";
    WriteRejection(std::cerr, map);
    return opened ? kExitBadInput : kExitFailure;
  }
  switch (task) {
    case Task::Report:
      WriteReport(std::cout, map);
      return kExitSuccess;
    case Task::Csv:
      WriteStarsCsv(std::cout, map.catalog);
      return std::cout.flush() ? kExitSuccess : kExitFailure;
    case Task::Find:
    case Task::Near: {
      const bool found = task == Task::Find
                             ? WriteFoundStars(std::cout, map.catalog, NameQuery(query))
                             : WriteNearStars(std::cout, map.catalog, NameQuery(query), radius);
      if (!found) std::cerr << "vantaro-mapinfo: no star whose name starts with '" << query << "'\n";
      return found ? kExitSuccess : kExitFailure;
    }
  }
  return kExitFailure;
}
