// Fuzz target for the importer's FITS reader: our column binding and block
// reading over CFITSIO, on the input as an in-memory FITS file
// (fits_open_memfile), so that no file is written per input.
#include <cstdint>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "ReadStarSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);  // CFITSIO wants a buffer of its own
  std::string error;
  int code = kExitSuccess;
  const auto source =
      OpenGaiaFitsSource("fuzz.fits", StarSourceOptions{}, &error, &code, bytes.data(), bytes.size());
  ReadStarSource(source, error, [](const CatalogStar&, RowSkip) {});
  return 0;
}
