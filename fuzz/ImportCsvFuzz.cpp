// Fuzz target for the importer's text inputs: the CSV/ECSV reader, the header
// binding (catalogue, HYG, AT-HYG, Gaia) and the row parsing and conversion.
// The first byte chooses plain or gzip-compressed input; the rest is the file.
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "ExitCodes.h"
#include "ReadStarSource.h"
#include "StarConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const std::string path = "/tmp/vantaro-import-fuzz-" + std::to_string(getpid());
  const bool gzip = data[0] & 1;
  gzFile file = gzopen(path.c_str(), gzip ? "wb1" : "wbT");
  if (!file) return 0;
  if (size > 1) gzwrite(file, data + 1, static_cast<unsigned>(size - 1));
  gzclose(file);

  std::string error;
  int code = kExitSuccess;
  const auto source = OpenStarSource(path, StarSourceOptions{}, &error, &code);
  MapStar star;
  ConversionNotes notes;
  ReadStarSource(source, error, [&](const CatalogStar& row, RowSkip skip) {
    if (skip == RowSkip::None) ConvertStar(row, WorldFrame::Galactic, kComplementedEncoding, &star, &notes);
  });
  return 0;
}
