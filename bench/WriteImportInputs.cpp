// vantaro-importinputs: writes the generated importer inputs, to try
// vantaro-mkmap on millions of stars.
// Usage: vantaro-importinputs athyg|athyg-gz|gaia-fits|gaia-votable|gaia-tabledata ROWS OUT
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ImportInputs.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(
        stderr,
        "usage: vantaro-importinputs athyg|athyg-gz|gaia-fits|gaia-votable|gaia-tabledata ROWS OUT\n");
    return 1;
  }
  const std::string kind = argv[1];
  char* end = nullptr;
  const long long rows = std::strtoll(argv[2], &end, 10);
  if (*end != '\0' || rows < 0) {
    std::fprintf(stderr, "vantaro-importinputs: '%s' is not a row count\n", argv[2]);
    return 1;
  }
  bool written = false;
  if (kind == "athyg" || kind == "athyg-gz") {
    written = WriteAtHygInput(argv[3], rows, kind == "athyg-gz");
  } else if (kind == "gaia-fits") {
    written = WriteGaiaFitsInput(argv[3], rows);
  } else if (kind == "gaia-votable" || kind == "gaia-tabledata") {
    written = WriteGaiaVotableInput(argv[3], rows, kind == "gaia-votable");
  } else {
    std::fprintf(stderr, "vantaro-importinputs: unknown kind '%s'\n", argv[1]);
    return 1;
  }
  if (!written) std::fprintf(stderr, "vantaro-importinputs: cannot write %s\n", argv[3]);
  return written ? 0 : 1;
}
