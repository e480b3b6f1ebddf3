// Fuzz target for the importer's FITS reader: our column binding and block
// reading over CFITSIO, on the input as an in-memory FITS file
// (fits_open_memfile), so that no file is written per input.
#include <cstdint>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "StarSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);  // CFITSIO wants a buffer of its own
  std::string error;
  int code = kExitSuccess;
  const auto source =
      OpenGaiaFitsSource("fuzz.fits", StarSourceOptions{}, &error, &code, bytes.data(), bytes.size());
  if (!source) {
    if (error.empty()) __builtin_trap();  // a failure always says why
    return 0;
  }
  CatalogStar row;
  RowSkip skip = RowSkip::None;
  StarSource::Result result;
  while ((result = source->Next(&row, &skip)) == StarSource::Result::Row) {
    const double fraction = source->fractionRead();
    if (!(fraction >= 0.0 && fraction <= 1.0)) __builtin_trap();
  }
  if (result == StarSource::Result::Error && source->error().empty()) __builtin_trap();
  return 0;
}
