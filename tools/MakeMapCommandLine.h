// The command line of vantaro-mkmap parsed into its options, apart from the
// program, so that the options can be tested without running it.
#pragma once

#include <string>
#include <vector>

#include "MakeMap.h"

struct MakeMapCommandLine {
  bool help = false;       // -h or --help: print the usage and do nothing else
  MakeMapOptions options;  // progress is left to the caller
  std::string error;       // empty when the command line is valid
};

// args: the arguments after the program name.
MakeMapCommandLine ParseMakeMapCommandLine(const std::vector<std::string>& args);

// The --help text.
extern const char* const kMakeMapUsage;
