// MakeMap: the whole of vantaro-mkmap below its command line. Streams the
// input files (catalogue, HYG, AT-HYG, Gaia CSV/ECSV/VOTable/FITS) row by row
// into a map file and tallies what it did.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "GaiaConversion.h"
#include "MapWriter.h"
#include "StarRanking.h"
#include "WorldFrame.h"

struct MakeMapOptions {
  std::vector<std::string> inputs;  // read in this order
  std::string output = "map.smp";
  WorldFrame frame = WorldFrame::Galactic;
  MapEncoding encoding = kPlainEncoding;
  std::optional<double> maxDistance;  // light years from the origin, inclusive
  std::optional<double> maxAbsMag;    // keeps stars of this absolute magnitude or brighter
  std::optional<uint64_t> limit;      // at most this many stars
  KeepRule keep = KeepRule::First;    // which stars the limit keeps
  StarSourceOptions gaia;             // the parallax quality cut and the distance of Gaia rows
  bool progress = false;              // the updating progress line (stderr is a terminal)
};

struct MakeMapSummary {
  uint64_t rowsRead = 0;
  uint32_t starsWritten = 0;
  uint64_t bytesWritten = 0;
  uint64_t noDistance = 0;
  uint64_t parallaxNotPositive = 0;
  uint64_t parallaxQuality = 0;
  uint64_t noGMagnitude = 0;
  uint64_t noChosenDistance = 0;
  uint64_t notKept = 0;  // qualified, but not among the --limit nearest or brightest
  uint64_t noAbsoluteMagnitude = 0;
  uint64_t outsideFieldRange = 0;
  uint64_t catalogNumberTooLarge = 0;
  uint64_t beyondMaxDistance = 0;
  uint64_t fainterThanMaxAbsMag = 0;
  bool stoppedAtLimit = false;
  uint64_t properNames = 0;
  uint64_t designations = 0;
  uint64_t unreadableDesignations = 0;
  uint64_t charactersReplaced = 0;
  uint64_t namesCut = 0;
  uint64_t tagsCut = 0;
  uint64_t distances[3] = {};  // Gaia stars written, by GaiaDistance
};

// Writes the map, the progress line (when options.progress) and a closing
// summary (or the error) to log. Returns one of the exit codes above; on failure no map
// file is left behind.
int MakeMap(const MakeMapOptions& options, std::ostream& log, MakeMapSummary* summary = nullptr);
