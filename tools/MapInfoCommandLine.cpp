// vantaro-mapinfo's options, parsed from its arguments.
#include "MapInfoCommandLine.h"

#include "CatalogColumns.h"
#include "CommandLine.h"

namespace {

MapInfoCommandLine Refuse(MapInfoCommandLine& result, const std::string& error) {
  result.error = error;
  return result;
}

}  // namespace

const char* const kMapInfoUsage =
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

MapInfoCommandLine ParseMapInfoCommandLine(const std::vector<std::string>& args) {
  MapInfoCommandLine result;
  CommandLine arguments(args);
  std::string value;
  bool havePath = false;
  while (!arguments.AtEnd()) {
    const std::string option = arguments.Current();
    if (arguments.TakeFlag("-h") || arguments.TakeFlag("--help")) {
      result.help = true;
      return result;
    }
    if (arguments.TakeFlag("--csv")) {
      result.task = MapInfoTask::Csv;
    } else if (arguments.TakeOption("--find", &result.query)) {
      result.task = MapInfoTask::Find;
    } else if (arguments.TakeOption("--near", &result.query)) {
      result.task = MapInfoTask::Near;
    } else if (arguments.TakeOption("--radius", &value)) {
      if (!ParseDecimal(value, &result.radius) || result.radius < 0.0)
        return Refuse(result, "--radius needs a distance >= 0");
    } else if (arguments.MissingValue()) {
      return Refuse(result, option + " needs a value");
    } else if (arguments.CurrentIsOption()) {
      return Refuse(result, "unknown option '" + option + "'");
    } else if (havePath) {
      return Refuse(result, "more than one map file given");
    } else {
      result.path = arguments.TakeOperand();
      havePath = true;
    }
  }
  return result;
}
