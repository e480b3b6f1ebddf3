// vantaro-mkmap: builds a map file from star catalogue CSV files.
#include <iostream>

#include "CatalogColumns.h"
#include "CommandLine.h"
#include "MakeMap.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantaro-mkmap [options] CATALOGUE.csv[.gz]...\n"
    "Builds a Vantaro map file from star catalogue CSV files (plain or gzip-compressed) with the\n"
    "columns id, hip, proper, spect, x, y, z (parsecs, equatorial J2000), absmag and optionally dm.\n"
    "\n"
    "  -o FILE                        map file to write (default map.smp)\n"
    "  --frame galactic|equatorial|map\n"
    "                                 galactic (default): +z to the galactic centre, +y to the north\n"
    "                                 galactic pole; equatorial: +z to RA 0h Dec 0, +y to the north\n"
    "                                 celestial pole; map: x, y, z already in the map's frame, as\n"
    "                                 written by vantaro-mapinfo --csv\n"
    "  --encoding plain|complemented  record encoding (default plain)\n"
    "  --max-distance LY              leave out stars farther than LY light years from the origin\n"
    "  --max-absmag M                 leave out stars with an absolute magnitude above M\n"
    "  --limit N                      stop after N stars\n"
    "\n"
    "Each star's catalogue number is its HIP number, else its row id; its name the proper name,\n"
    "else the designation (\"BD+38 4343\" is stored as B+38\u00b04343). Positions and absolute\n"
    "magnitudes are stored in millionths, rounded to nearest (halfway away from zero). Stars without\n"
    "an absolute magnitude, beyond +-2147.483647 ly on an axis or with a catalogue number above\n"
    "16777215 are left out and counted in the summary.\n"
    "\n"
    "Exit status: 0 success, 1 usage error or a file that cannot be opened or written,\n"
    "2 malformed input.\n";

int UsageError(const std::string& text) {
  std::cerr << "vantaro-mkmap: " << text << "\n" << kUsage;
  return kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine arguments(argc, argv);
  MakeMapOptions options;
  std::string value;
  while (!arguments.AtEnd()) {
    const std::string option = arguments.Current();
    if (arguments.TakeFlag("-h") || arguments.TakeFlag("--help")) {
      std::cout << kUsage;
      return kExitSuccess;
    }
    double number = 0.0;
    uint64_t count = 0;
    if (arguments.TakeOption("-o", &value)) {
      options.output = value;
    } else if (arguments.TakeOption("--frame", &value)) {
      const auto frame = ParseWorldFrame(value);
      if (!frame) return UsageError("unknown frame '" + value + "'");
      options.frame = *frame;
    } else if (arguments.TakeOption("--encoding", &value)) {
      const auto encoding = ParseMapEncoding(value);
      if (!encoding) return UsageError("unknown encoding '" + value + "'");
      options.encoding = *encoding;
    } else if (arguments.TakeOption("--max-distance", &value)) {
      if (!ParseDecimal(value, &number) || number < 0.0)
        return UsageError("--max-distance needs a distance >= 0");
      options.maxDistance = number;
    } else if (arguments.TakeOption("--max-absmag", &value)) {
      if (!ParseDecimal(value, &number)) return UsageError("--max-absmag needs a magnitude");
      options.maxAbsMag = number;
    } else if (arguments.TakeOption("--limit", &value)) {
      if (!ParseWholeNumber(value, &count)) return UsageError("--limit needs a whole number >= 0");
      options.limit = count;
    } else if (arguments.MissingValue()) {
      return UsageError(option + " needs a value");
    } else if (arguments.CurrentIsOption()) {
      return UsageError("unknown option '" + option + "'");
    } else {
      options.inputs.push_back(arguments.TakeOperand());
    }
  }
  if (options.inputs.empty()) return UsageError("no catalogue file given");
  return MakeMap(options, std::cerr);
}
