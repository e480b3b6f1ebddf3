// The command line of vantaro-mapinfo parsed into what it is to do, apart
// from the program, so that it can be tested without running it.
#pragma once

#include <string>
#include <vector>

enum class MapInfoTask { Report, Csv, Find, Near };

struct MapInfoCommandLine {
  bool help = false;  // -h or --help: print the usage and do nothing else
  MapInfoTask task = MapInfoTask::Report;
  std::string path = "map.smp";
  std::string query;     // --find TEXT, --near NAME
  double radius = 10.0;  // --radius, light years
  std::string error;     // empty when the command line is valid
};

// args: the arguments after the program name.
MapInfoCommandLine ParseMapInfoCommandLine(const std::vector<std::string>& args);

// The --help text.
extern const char* const kMapInfoUsage;
