// Fuzz target for the importer's FITS reader: our column binding and block
// reading over CFITSIO, on the input as an in-memory FITS file
// (fits_open_memfile), so that no file is written per input.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ExitCodes.h"
#include "ReadStarSource.h"

namespace {

// CFITSIO 4.2 (Debian 12) copies an unquoted value of a table keyword
// (TTYPEn, TFORMn, ...) longer than its field with strcpy, which the
// fortified C library stops with an abort: a fault of the library, not of
// our column handling, so such inputs are left out. A header card is 80
// bytes: the keyword in 1-8, "= " in 9-10, the value after.
bool CfitsioOverflowsOn(const uint8_t* data, size_t size) {
  for (size_t card = 0; card + 80 <= size; card += 80) {
    const auto* text = reinterpret_cast<const char*>(data + card);
    if (text[0] != 'T' || text[8] != '=') continue;
    std::string_view value(text + 10, 70);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    if (!value.empty() && value.front() != '\'' && value.find_first_of(" /") > 20) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (CfitsioOverflowsOn(data, size)) return 0;
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
