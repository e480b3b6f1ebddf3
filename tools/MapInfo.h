// MapInfo: the whole of vantaro-mapinfo below its command line. Loads a map
// with the program's own loader and reports on it, lists it as CSV, or finds
// stars by name and lists their neighbours.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "catalog/StarCatalog.h"

struct LoadedMap {
  std::string path;
  uint64_t fileSize = 0;
  int loaded = 0;  // LoadStarMap's result
  MapDiagnosis diagnosis;
  StarCatalog catalog;
};

// Opens the file and runs the program's loader on it. False only when the
// file cannot be opened; a rejected map returns true with loaded 0.
bool LoadMapFile(const std::string& path, LoadedMap* map);

// "PATH: REASON", the words the program itself uses, for a file that cannot
// be opened or is rejected.
void WriteRejection(std::ostream& out, const LoadedMap& map);

// Encoding, star count, file size, bytes after the last record, coordinate
// and magnitude ranges, designation counts by the program's two tests, and
// the nearest and brightest stars seen from the origin.
void WriteReport(std::ostream& out, const LoadedMap& map);

// One line per star: id,hip,proper,spect,x,y,z,absmag with id the record's
// index, hip the catalogue number, the name in UTF-8, x, y, z in parsecs in
// the map's frame to 9 decimals, the magnitude to 6: close enough that
// vantaro-mkmap --frame map rebuilds the same map.
void WriteStarsCsv(std::ostream& out, const StarCatalog& catalog);

// What a user typed, in the map's 8-bit text: a designation as "BD+38 4343"
// becomes "B+38°4343", anything else goes through code page 1252.
std::string NameQuery(std::string_view utf8);

// The stars within radius light years of the first star whose name starts
// with the query, nearest first. False when no name starts with it.
bool WriteNearStars(std::ostream& out, const StarCatalog& catalog, std::string_view query, double radius);

// The stars whose names start with the query, in catalogue order. False when
// there are none.
bool WriteFoundStars(std::ostream& out, const StarCatalog& catalog, std::string_view query);
