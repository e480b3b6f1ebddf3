// MakeMap: the whole of vantaro-mkmap below its command line. Streams the
// catalogue files row by row into a map file and tallies what it did.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "MapWriter.h"
#include "WorldFrame.h"

struct MakeMapOptions {
  std::vector<std::string> inputs;  // read in this order
  std::string output = "map.smp";
  WorldFrame frame = WorldFrame::Galactic;
  MapEncoding encoding = MapEncoding::Plain;
  std::optional<double> maxDistance;  // light years from the origin, inclusive
  std::optional<double> maxAbsMag;    // keeps stars of this absolute magnitude or brighter
  std::optional<uint64_t> limit;      // stops after this many stars
};

struct MakeMapSummary {
  uint64_t rowsRead = 0;
  uint32_t starsWritten = 0;
  uint64_t bytesWritten = 0;
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
};

// Writes the map, progress lines for long inputs and a closing summary (or
// the error) to log. Returns one of the exit codes above; on failure no map
// file is left behind.
int MakeMap(const MakeMapOptions& options, std::ostream& log, MakeMapSummary* summary = nullptr);
