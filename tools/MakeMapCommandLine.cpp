// vantaro-mkmap's options, parsed from its arguments.
#include "MakeMapCommandLine.h"

#include "CatalogColumns.h"
#include "CommandLine.h"

namespace {

MakeMapCommandLine Refuse(MakeMapCommandLine& result, const std::string& error) {
  result.error = error;
  return result;
}

}  // namespace

const char* const kMakeMapUsage =
    "Usage: vantaro-mkmap [options] INPUT...\n"
    "Builds a Vantaro map file from star catalogues, each recognised by its content, whatever\n"
    "its name:\n"
    "  - our catalogue and the HYG database: CSV (plain or gzip) with the columns id, hip, proper,\n"
    "    spect, x, y, z (parsecs, equatorial J2000), absmag and optionally dm;\n"
    "  - the AT-HYG database (v2, v3): CSV (plain or gzip) with x0, y0, z0 and dist; rows without a\n"
    "    usable distance (no position, no dist, or dist 100000) are left out and counted;\n"
    "  - Gaia archive results: VOTable (TABLEDATA, BINARY or BINARY2), CSV or ECSV (comma or space\n"
    "    delimited), each plain or gzip, or a FITS binary table (plain or compressed: gzip, bzip2,\n"
    "    compress, zip) with the columns source_id, ra, dec, parallax and phot_g_mean_mag, and when\n"
    "    present parallax_error or parallax_over_error, bp_rp, designation, spectraltype_esphs and\n"
    "    the Bailer-Jones distances r_med_geo and r_med_photogeo (external.gaiaedr3_distance).\n"
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
    "  --limit N                      at most N stars (N <= 16777215): the first N read, or with\n"
    "  --keep nearest|brightest       the N nearest to the origin or of the brightest absolute\n"
    "                                 magnitude (the inputs are then read twice)\n"
    "  --min-parallax-over-error X    Gaia: leave out rows whose parallax over error is below X or\n"
    "                                 not known (default 5); tables with neither parallax_error nor\n"
    "                                 parallax_over_error are not cut; stars at a Bailer-Jones\n"
    "                                 distance are not cut either\n"
    "  --distance parallax|geo|photogeo\n"
    "                                 Gaia: the distance, 1000 / parallax or the Bailer-Jones median\n"
    "                                 r_med_geo or r_med_photogeo; the table must have the column,\n"
    "                                 and rows where it is null are left out. Default: each row's\n"
    "                                 r_med_photogeo, else its r_med_geo, else its parallax\n"
    "\n"
    "Each star's catalogue number is its HIP number, else its row id; a Gaia star's is its place\n"
    "in the map (1, 2, ...), as a source_id does not fit 24 bits. The name is the proper name, else\n"
    "the designation (\"BD+38 4343\" is stored as B+38\u00b04343); a Gaia star's is its designation\n"
    "(\"Gaia DR3 N\"). Gaia distances from the parallax are 1000 / parallax (mas) parsecs; null,\n"
    "zero and negative parallaxes are left out; the summary counts the stars of each distance. A\n"
    "Gaia star's tag is its spectraltype_esphs, else \"~\" and the main-sequence type whose mean\n"
    "BP-RP (Pecaut & Mamajek 2013, 2022 table) is nearest its bp_rp, such as ~K5V (~B bluer than\n"
    "B9V, ~M redder than M8.5V), which is what Star Colours colours it by; reddening is not taken\n"
    "out, so distant stars get too late a type; rows without bp_rp have no tag. Gaia absolute\n"
    "magnitudes are visual: V = G - (G - V) with the Gaia EDR3 relation G - V = -0.02704 +\n"
    "0.01424 C - 0.2156 C^2 + 0.01426 C^3, C = BP-RP clamped to -0.5 .. 5; where bp_rp is null or\n"
    "missing, G is taken as V, which makes red stars too bright (G - V is -0.03 at BP-RP 0, -0.2\n"
    "at 1, -0.7 at 2). Positions and absolute magnitudes are\n"
    "stored in millionths, rounded to nearest (halfway away from zero). Stars without an absolute\n"
    "magnitude, beyond +-2147.483647 ly on an axis or with a catalogue number above 16777215 are\n"
    "left out and counted in the summary. When more than 16777215 stars qualify the tool stops\n"
    "unless --limit says which to keep. On a terminal a progress line shows on stderr.\n"
    "\n"
    "Exit status: 0 success, 1 usage error or a file that cannot be opened or written,\n"
    "2 malformed input.\n";

MakeMapCommandLine ParseMakeMapCommandLine(const std::vector<std::string>& args) {
  MakeMapCommandLine result;
  CommandLine arguments(args);
  std::string value;
  while (!arguments.AtEnd()) {
    const std::string option = arguments.Current();
    if (arguments.TakeFlag("-h") || arguments.TakeFlag("--help")) {
      result.help = true;
      return result;
    }
    double number = 0.0;
    uint64_t count = 0;
    if (arguments.TakeOption("-o", &value)) {
      result.options.output = value;
    } else if (arguments.TakeOption("--frame", &value)) {
      const auto frame = ParseWorldFrame(value);
      if (!frame) return Refuse(result, "unknown frame '" + value + "'");
      result.options.frame = *frame;
    } else if (arguments.TakeOption("--encoding", &value)) {
      const auto encoding = ParseMapEncoding(value);
      if (!encoding) return Refuse(result, "unknown encoding '" + value + "'");
      result.options.encoding = *encoding;
    } else if (arguments.TakeOption("--max-distance", &value)) {
      if (!ParseDecimal(value, &number) || number < 0.0)
        return Refuse(result, "--max-distance needs a distance >= 0");
      result.options.maxDistance = number;
    } else if (arguments.TakeOption("--max-absmag", &value)) {
      if (!ParseDecimal(value, &number)) return Refuse(result, "--max-absmag needs a magnitude");
      result.options.maxAbsMag = number;
    } else if (arguments.TakeOption("--limit", &value)) {
      if (!ParseWholeNumber(value, &count)) return Refuse(result, "--limit needs a whole number >= 0");
      if (count > kMaxStarCount) return Refuse(result, "--limit is at most 16777215, the most a map holds");
      result.options.limit = count;
    } else if (arguments.TakeOption("--keep", &value)) {
      if (value == "nearest") {
        result.options.keep = KeepRule::Nearest;
      } else if (value == "brightest") {
        result.options.keep = KeepRule::Brightest;
      } else {
        return Refuse(result, "--keep needs nearest or brightest, not '" + value + "'");
      }
    } else if (arguments.TakeOption("--distance", &value)) {
      const auto distance = ParseGaiaDistance(value);
      if (!distance) return Refuse(result, "--distance needs parallax, geo or photogeo, not '" + value + "'");
      result.options.gaia.distance = *distance;
    } else if (arguments.TakeOption("--min-parallax-over-error", &value)) {
      if (!ParseDecimal(value, &number)) return Refuse(result, "--min-parallax-over-error needs a number");
      result.options.gaia.minParallaxOverError = number;
    } else if (arguments.MissingValue()) {
      return Refuse(result, option + " needs a value");
    } else if (arguments.CurrentIsOption()) {
      return Refuse(result, "unknown option '" + option + "'");
    } else {
      result.options.inputs.push_back(arguments.TakeOperand());
    }
  }
  if (result.options.inputs.empty()) return Refuse(result, "no input file given");
  if (result.options.keep != KeepRule::First && !result.options.limit)
    return Refuse(result, "--keep needs --limit N");
  return result;
}
