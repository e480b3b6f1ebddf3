// vantaro-mkmap: builds a map file from star catalogues: ours, HYG, AT-HYG and
// Gaia archive results.
#include <unistd.h>

#include <iostream>

#include "MakeMapCommandLine.h"

int main(int argc, char** argv) {
  MakeMapCommandLine commandLine = ParseMakeMapCommandLine({argv + 1, argv + argc});
  if (commandLine.help) {
    std::cout << kMakeMapUsage;
    return kExitSuccess;
  }
  if (!commandLine.error.empty()) {
    std::cerr << "vantaro-mkmap: " << commandLine.error << "\n" << kMakeMapUsage;
    return kExitFailure;
  }
  commandLine.options.progress = isatty(STDERR_FILENO) == 1;
  return MakeMap(commandLine.options, std::cerr);
}
