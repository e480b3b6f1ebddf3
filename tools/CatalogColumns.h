// CatalogColumns: the columns of a star catalogue CSV (this project's and the
// HYG database's share the names id, hip, proper, spect, x, y, z, absmag and
// the optional dm) and the parsing of one row into a CatalogStar.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "geometry/Vector3D.h"

// One row as read. The text fields view the reader's current record.
struct CatalogStar {
  uint64_t id = 0;
  std::optional<uint64_t> hip;  // empty when the row has no HIP number
  std::string_view proper;      // UTF-8, may be empty
  std::string_view dm;          // Durchmusterung designation, may be empty
  std::string_view spect;
  Vector3D position;             // parsecs, in the catalogue's frame
  std::optional<double> absMag;  // empty when unknown
};

class CatalogColumns {
 public:
  // Finds the columns by name in a header record (the first of equal names
  // counts). On failure *error names the first missing column.
  bool Bind(std::span<const std::string> header, std::string* error);

  // Parses a row. A row with a different number of fields than the header, an
  // id or hip that is not a whole number >= 0, or a coordinate or absmag that
  // is not a finite decimal number fails with *error naming the column.
  bool Parse(std::span<const std::string> row, CatalogStar* star, std::string* error) const;

 private:
  static constexpr size_t kAbsent = SIZE_MAX;
  size_t m_columnCount = 0;
  size_t m_id = kAbsent, m_hip = kAbsent, m_proper = kAbsent, m_dm = kAbsent, m_spect = kAbsent;
  size_t m_x = kAbsent, m_y = kAbsent, m_z = kAbsent, m_absMag = kAbsent;
};

// Strict number parsing shared with the command lines: the whole text must be
// the number (an optional leading '+' allowed); no spaces, no inf or nan.
bool ParseDecimal(std::string_view text, double* value);
bool ParseWholeNumber(std::string_view text, uint64_t* value);
