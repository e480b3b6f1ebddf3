// Gaia archive rows to star rows.
#include "GaiaConversion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "MainSequenceColours.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kMinColour = -0.5, kMaxColour = 5.0;  // the relation's fitted range

std::optional<double> ParallaxOverError(const GaiaRow& row) {
  if (row.parallaxOverError) return row.parallaxOverError;
  if (row.parallaxError && *row.parallaxError > 0.0) return *row.parallax / *row.parallaxError;
  return std::nullopt;
}

bool Positive(const std::optional<double>& value) { return value && *value > 0.0; }

// The row's distance in parsecs and its source, or why it has none.
GaiaSkip Distance(const GaiaRow& row, const StarSourceOptions& options, bool hasQualityColumn,
                  double* parsecs, GaiaDistance* source) {
  const std::optional<GaiaDistance> chosen = options.distance;
  for (const auto& [kind, value] :
       {std::pair{GaiaDistance::Photogeo, &row.rMedPhotogeo}, std::pair{GaiaDistance::Geo, &row.rMedGeo}}) {
    if (chosen && *chosen != kind) continue;
    if (Positive(*value)) {
      *parsecs = **value;
      *source = kind;
      return GaiaSkip::None;
    }
    if (chosen) return GaiaSkip::NoChosenDistance;
  }
  if (!Positive(row.parallax)) return GaiaSkip::ParallaxNotPositive;
  if (hasQualityColumn) {
    const std::optional<double> quality = ParallaxOverError(row);
    if (!quality || !(*quality >= options.minParallaxOverError)) return GaiaSkip::ParallaxQuality;
  }
  *parsecs = 1000.0 / *row.parallax;
  *source = GaiaDistance::Parallax;
  return GaiaSkip::None;
}

}  // namespace

const GaiaFieldInfo kGaiaFields[kGaiaFieldCount] = {
    {"source_id", false},
    {"ra", false},
    {"dec", false},
    {"parallax", false},
    {"phot_g_mean_mag", false},
    {"parallax_error", false},
    {"parallax_over_error", false},
    {"bp_rp", false},
    {"r_med_geo", false},
    {"r_med_photogeo", false},
    {"designation", true},
    {"spectraltype_esphs", true},
};

std::optional<GaiaDistance> ParseGaiaDistance(std::string_view name) {
  if (name == "parallax") return GaiaDistance::Parallax;
  if (name == "geo") return GaiaDistance::Geo;
  if (name == "photogeo") return GaiaDistance::Photogeo;
  return std::nullopt;
}

const char* GaiaDistanceColumn(GaiaDistance distance) {
  return distance == GaiaDistance::Photogeo ? "r_med_photogeo"
         : distance == GaiaDistance::Geo    ? "r_med_geo"
                                            : "parallax";
}

bool GaiaFieldRequired(int field, const StarSourceOptions& options) {
  if (field <= kGaiaGMag) return true;
  if (field == kGaiaRMedGeo) return options.distance == GaiaDistance::Geo;
  if (field == kGaiaRMedPhotogeo) return options.distance == GaiaDistance::Photogeo;
  return false;
}

std::optional<double>& GaiaNumber(GaiaRow& row, int field) {
  switch (field) {
    case kGaiaParallax:
      return row.parallax;
    case kGaiaGMag:
      return row.gMag;
    case kGaiaParallaxError:
      return row.parallaxError;
    case kGaiaParallaxOverError:
      return row.parallaxOverError;
    case kGaiaBpRp:
      return row.bpRp;
    case kGaiaRMedGeo:
      return row.rMedGeo;
    default:
      return row.rMedPhotogeo;
  }
}

double GaiaVMagnitude(double g, std::optional<double> bpRp) {
  if (!bpRp) return g;
  const double c = std::clamp(*bpRp, kMinColour, kMaxColour);
  const double gMinusV = -0.02704 + 0.01424 * c - 0.2156 * (c * c) + 0.01426 * (c * c * c);
  return g - gMinusV;
}

GaiaSkip ConvertGaiaRow(const GaiaRow& row, const StarSourceOptions& options, bool hasQualityColumn,
                        std::string* name, CatalogStar* star) {
  double distance = 0.0;  // parsecs
  GaiaDistance source = GaiaDistance::Parallax;
  const GaiaSkip skip = Distance(row, options, hasQualityColumn, &distance, &source);
  if (skip != GaiaSkip::None) return skip;
  if (!row.gMag) return GaiaSkip::NoGMagnitude;

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
  star->spect = !row.spect.empty() ? row.spect
                : row.bpRp         ? MainSequenceTypeOfColour(*row.bpRp)
                                   : std::string_view();
  star->noDistance = false;
  star->numberedInOrder = true;
  star->gaiaDistance = source;
  return GaiaSkip::None;
}
