// One row of a Gaia archive result (gaiadr3.gaia_source columns) to the plain
// star row every reader yields: distance from the parallax, the position from
// ra/dec, and the visual absolute magnitude from G through BP-RP.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "CatalogColumns.h"

// The columns as read; empty optionals are the archive's nulls.
struct GaiaRow {
  uint64_t sourceId = 0;
  double ra = 0.0, dec = 0.0;      // degrees, ICRS
  std::optional<double> parallax;  // milliarcseconds
  std::optional<double> parallaxError;
  std::optional<double> parallaxOverError;
  std::optional<double> gMag;  // phot_g_mean_mag
  std::optional<double> bpRp;
  std::string_view designation;  // "Gaia DR3 N"; may be empty
  std::string_view spect;        // spectraltype_esphs; may be empty
};

// Why a Gaia row gives no star.
enum class GaiaSkip {
  None,
  ParallaxNotPositive,  // null, zero or negative
  ParallaxQuality,      // parallax over error below the cut, or not known
  NoGMagnitude,
};

// G - V of the Gaia EDR3 photometric relations (Riello et al. 2021, A&A 649,
// A3, table C.2), a cubic in BP-RP fitted over -0.5 < BP-RP < 5; colours
// outside that range are clamped to it. Without a colour G stands for V.
double GaiaVMagnitude(double g, std::optional<double> bpRp);

// Fills *star (its proper name viewing *name) or says why the row is left
// out. The parallax-over-error cut uses parallax_over_error, else parallax /
// parallax_error; a row with neither column passes it.
GaiaSkip ConvertGaiaRow(const GaiaRow& row, double minParallaxOverError, bool hasQualityColumn,
                        std::string* name, CatalogStar* star);
