// GaiaColumns: the columns of a Gaia archive result written as CSV or ECSV
// (kGaiaFields) and the parsing of one row into a GaiaRow.
#pragma once

#include <span>
#include <string>

#include "GaiaConversion.h"
#include "HeaderColumns.h"

class GaiaColumns {
 public:
  // True when the header is a Gaia result's: it has source_id and parallax.
  static bool Recognizes(std::span<const std::string> header);

  bool Bind(std::span<const std::string> header, const StarSourceOptions& options, std::string* error);

  // Parses a row; the text fields view it. An empty field, "null" or "NaN"
  // is a null; a null or malformed source_id, ra or dec, or a value that is
  // not a number, fails with *error naming the column.
  bool Parse(std::span<const std::string> row, GaiaRow* gaia, std::string* error) const;

  // The table can give a parallax over error for the quality cut.
  bool hasQualityColumn() const {
    return m_index[kGaiaParallaxError] != kNoColumn || m_index[kGaiaParallaxOverError] != kNoColumn;
  }

 private:
  size_t m_columnCount = 0;
  size_t m_index[kGaiaFieldCount] = {};
};
