// Fuzz target for the importer's FITS reader: our column binding and block
// reading over CFITSIO, on the input as an in-memory FITS file
// (fits_open_memfile), so that no file is written per input; headers CFITSIO
// cannot parse safely go through the source's own check.
#include <cstdint>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "ReadStarSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // CFITSIO wants a buffer of its own, and its in-memory driver reads whole
  // 2880-byte records, as FITS files are made of: pad the input to one.
  std::vector<uint8_t> bytes(data, data + size);
  bytes.resize((size + 2879) / 2880 * 2880);
  std::string error;
  int code = kExitSuccess;
  const auto source =
      OpenGaiaFitsSource("fuzz.fits", StarSourceOptions{}, &error, &code, bytes.data(), bytes.size());
  ReadStarSource(source, error, [](const CatalogStar&, RowSkip) {});
  return 0;
}
