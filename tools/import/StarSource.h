// StarSource: one input file read row by row into the plain star row, whatever
// its kind: this project's catalogue or the HYG database, AT-HYG (recognised
// by their headers), a Gaia archive result as CSV, ECSV, VOTable or a FITS
// binary table. The format is told by the file's content, not its name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CatalogColumns.h"
#include "GaiaConversion.h"

// Why a row of the input gives no star before conversion.
enum class RowSkip {
  None,
  NoDistance,           // AT-HYG row without a usable distance
  ParallaxNotPositive,  // Gaia: null, zero or negative parallax
  ParallaxQuality,      // Gaia: below --min-parallax-over-error
  NoGMagnitude,         // Gaia: null phot_g_mean_mag
  NoChosenDistance,     // Gaia: null or no positive --distance column
};

class StarSource {
 public:
  enum class Result { Row, End, Error };

  virtual ~StarSource() = default;

  // Reads the next row. With Row, *skip says whether it gives a star; the
  // star's text fields stay valid until the next call.
  virtual Result Next(CatalogStar* star, RowSkip* skip) = 0;
  // "path:line: column 'x': ..." or "path: FITS row N: ..." after an Error.
  virtual const std::string& error() const = 0;
  // Share of the input read so far, 0 to 1.
  virtual double fractionRead() const = 0;
  // Kind of input, for the summary ("AT-HYG", "Gaia FITS", ...).
  virtual const char* kind() const = 0;
};

// Opens a file in the format its content shows and reads its header. On
// failure returns null, sets *error and *code to kExitFailure (cannot open)
// or kExitBadInput (malformed header, unknown format).
std::unique_ptr<StarSource> OpenStarSource(const std::string& path, const StarSourceOptions& options,
                                           std::string* error, int* code);

// The readers of each format; *error and *code as above.
std::unique_ptr<StarSource> OpenCsvStarSource(const std::string& path, const StarSourceOptions& options,
                                              bool ecsv, std::string* error, int* code);
// With data, the FITS file is the size bytes there (kept while the source
// lives), and path only names it in messages.
std::unique_ptr<StarSource> OpenGaiaFitsSource(const std::string& path, const StarSourceOptions& options,
                                               std::string* error, int* code, const void* data = nullptr,
                                               size_t size = 0);
std::unique_ptr<StarSource> OpenVotableSource(const std::string& path, const StarSourceOptions& options,
                                              std::string* error, int* code);

RowSkip ToRowSkip(GaiaSkip skip);
