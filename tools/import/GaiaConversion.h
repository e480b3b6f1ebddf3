// One row of a Gaia archive result (gaiadr3.gaia_source columns, optionally
// joined with external.gaiaedr3_distance) to the plain star row every reader
// yields: distance from the parallax or the Bailer-Jones distances, the
// position from ra/dec, the visual absolute magnitude from G through BP-RP,
// and, without a spectral type, a main-sequence type from BP-RP.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "CatalogColumns.h"

struct StarSourceOptions {
  double minParallaxOverError = 5.0;
  // Empty: each row's best, r_med_photogeo, else r_med_geo, else the parallax.
  std::optional<GaiaDistance> distance;
};

// "parallax", "geo", "photogeo".
std::optional<GaiaDistance> ParseGaiaDistance(std::string_view name);

// The column a --distance choice reads ("r_med_geo", ...; "parallax").
const char* GaiaDistanceColumn(GaiaDistance distance);

// The columns as read; empty optionals are the archive's nulls.
struct GaiaRow {
  uint64_t sourceId = 0;
  double ra = 0.0, dec = 0.0;      // degrees, ICRS
  std::optional<double> parallax;  // milliarcseconds
  std::optional<double> parallaxError;
  std::optional<double> parallaxOverError;
  std::optional<double> gMag;  // phot_g_mean_mag
  std::optional<double> bpRp;
  std::optional<double> rMedGeo, rMedPhotogeo;  // parsecs
  std::string_view designation;                 // "Gaia DR3 N"; may be empty
  std::string_view spect;                       // spectraltype_esphs; may be empty
};

// The columns every Gaia reader looks for, in this order.
enum GaiaField {
  kGaiaSourceId,
  kGaiaRa,
  kGaiaDec,
  kGaiaParallax,
  kGaiaGMag,
  kGaiaParallaxError,
  kGaiaParallaxOverError,
  kGaiaBpRp,
  kGaiaRMedGeo,
  kGaiaRMedPhotogeo,
  kGaiaDesignation,
  kGaiaSpect,
  kGaiaFieldCount
};
struct GaiaFieldInfo {
  const char* name;
  bool text;
};
extern const GaiaFieldInfo kGaiaFields[kGaiaFieldCount];

// Whether a table without the column is refused: the five always, the
// distance column that --distance geo or photogeo names.
bool GaiaFieldRequired(int field, const StarSourceOptions& options);

// The optional number of a field from kGaiaParallax to kGaiaRMedPhotogeo.
std::optional<double>& GaiaNumber(GaiaRow& row, int field);

// Why a Gaia row gives no star.
enum class GaiaSkip {
  None,
  ParallaxNotPositive,  // null, zero or negative
  ParallaxQuality,      // parallax over error below the cut, or not known
  NoGMagnitude,
  NoChosenDistance,  // the --distance column is null or not positive
};

// G - V of the Gaia EDR3 photometric relations (Riello et al. 2021, A&A 649,
// A3, table C.2), a cubic in BP-RP fitted over -0.5 < BP-RP < 5; colours
// outside that range are clamped to it. Without a colour G stands for V.
double GaiaVMagnitude(double g, std::optional<double> bpRp);

// Fills *star (its proper name viewing *name) or says why the row is left
// out. The parallax-over-error cut applies to distances from the parallax:
// it uses parallax_over_error, else parallax / parallax_error; a row with
// neither column passes it.
GaiaSkip ConvertGaiaRow(const GaiaRow& row, const StarSourceOptions& options, bool hasQualityColumn,
                        std::string* name, CatalogStar* star);
