// CatalogColumns: the columns of a star catalogue CSV and the parsing of one
// row into a CatalogStar. This project's catalogue and the HYG database share
// the names id, hip, proper, spect, x, y, z, absmag and the optional dm; the
// AT-HYG database (v2 and v3) has its positions in x0, y0, z0, a dist column
// and no position for stars without a usable distance.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "HeaderColumns.h"
#include "geometry/Vector3D.h"

// Where a Gaia star's distance comes from: 1000 / parallax, or the
// Bailer-Jones median geometric or photogeometric distance.
enum class GaiaDistance { Parallax, Geo, Photogeo };

// One star row as every reader yields it. The text fields view the reader's
// current record.
struct CatalogStar {
  uint64_t id = 0;
  std::optional<uint64_t> hip;  // empty when the row has no HIP number
  std::string_view proper;      // UTF-8, may be empty
  std::string_view dm;          // Durchmusterung designation, may be empty
  std::string_view spect;
  Vector3D position;                         // parsecs, in the catalogue's frame
  std::optional<double> absMag;              // empty when unknown
  bool noDistance = false;                   // no usable distance: the row gives no star
  bool numberedInOrder = false;              // the catalogue number is the star's place in the map
  std::optional<GaiaDistance> gaiaDistance;  // a Gaia star's
};

class CatalogColumns {
 public:
  // Finds the columns by name in a header record (the first of equal names
  // counts); a header with x0 is AT-HYG's. On failure *error names the first
  // missing column.
  bool Bind(std::span<const std::string> header, std::string* error);
  bool isAtHyg() const { return m_atHyg; }

  // Parses a row. A row with a different number of fields than the header, an
  // id or hip that is not a whole number >= 0, or a coordinate or absmag that
  // is not a finite decimal number fails with *error naming the column.
  bool Parse(std::span<const std::string> row, CatalogStar* star, std::string* error) const;

 private:
  static constexpr double kUnknownDistance = 100000.0;  // parsecs

  // Sets *usable when an AT-HYG row's position can be used: x0, y0, z0 and
  // dist all present, dist positive and not the placeholder for unknown. A
  // dist that is not a number gives the error text.
  std::optional<std::string> UsableDistance(std::span<const std::string> row, bool* usable) const;

  size_t m_columnCount = 0;
  size_t m_id = kNoColumn, m_hip = kNoColumn, m_proper = kNoColumn, m_dm = kNoColumn, m_spect = kNoColumn;
  size_t m_x = kNoColumn, m_y = kNoColumn, m_z = kNoColumn, m_absMag = kNoColumn, m_dist = kNoColumn;
  bool m_atHyg = false;
};

// Strict number parsing shared with the command lines: the whole text must be
// the number (an optional leading '+' allowed); no spaces, no inf or nan.
bool ParseDecimal(std::string_view text, double* value);
bool ParseWholeNumber(std::string_view text, uint64_t* value);
