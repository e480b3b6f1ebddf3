// Gaia archive rows to star rows.
#include "GaiaConversion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kMinColour = -0.5, kMaxColour = 5.0;  // the relation's fitted range

std::optional<double> ParallaxOverError(const GaiaRow& row) {
  if (row.parallaxOverError) return row.parallaxOverError;
  if (row.parallaxError && *row.parallaxError > 0.0) return *row.parallax / *row.parallaxError;
  return std::nullopt;
}

}  // namespace

double GaiaVMagnitude(double g, std::optional<double> bpRp) {
  if (!bpRp) return g;
  const double c = std::clamp(*bpRp, kMinColour, kMaxColour);
  const double gMinusV = -0.02704 + 0.01424 * c - 0.2156 * (c * c) + 0.01426 * (c * c * c);
  return g - gMinusV;
}

GaiaSkip ConvertGaiaRow(const GaiaRow& row, double minParallaxOverError, bool hasQualityColumn,
                        std::string* name, CatalogStar* star) {
  if (!row.parallax || !(*row.parallax > 0.0)) return GaiaSkip::ParallaxNotPositive;
  if (hasQualityColumn) {
    const std::optional<double> quality = ParallaxOverError(row);
    if (!quality || !(*quality >= minParallaxOverError)) return GaiaSkip::ParallaxQuality;
  }
  if (!row.gMag) return GaiaSkip::NoGMagnitude;

  const double distance = 1000.0 / *row.parallax;  // parsecs
  const double ra = row.ra * kRadiansPerDegree, dec = row.dec * kRadiansPerDegree;
  const double cosDec = std::cos(dec);
  star->position = Vector3D(distance * (cosDec * std::cos(ra)), distance * (cosDec * std::sin(ra)),
                            distance * std::sin(dec));
  star->absMag = GaiaVMagnitude(*row.gMag, row.bpRp) - 5.0 * std::log10(distance) + 5.0;

  if (row.designation.empty()) {
    *name = "Gaia DR3 " + std::to_string(row.sourceId);
  } else {
    name->assign(row.designation);
  }
  star->id = 0;
  star->hip.reset();
  star->proper = *name;
  star->dm = {};
  star->spect = row.spect;
  star->noDistance = false;
  star->numberedInOrder = true;
  return GaiaSkip::None;
}
