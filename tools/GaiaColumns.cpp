// Column binding and row parsing for Gaia archive CSV and ECSV files.
#include "GaiaColumns.h"

namespace {

bool IsNull(const std::string& text) {
  return text.empty() || text == "null" || text == "NaN" || text == "nan";
}

}  // namespace

bool GaiaColumns::Recognizes(std::span<const std::string> header) {
  return HasColumn(header, "source_id") && HasColumn(header, "parallax");
}

bool GaiaColumns::Bind(std::span<const std::string> header, std::string* error) {
  m_columnCount = header.size();
  const struct {
    const char* name;
    size_t* index;
    bool required;
  } columns[] = {
      {"source_id", &m_sourceId, true},
      {"ra", &m_ra, true},
      {"dec", &m_dec, true},
      {"parallax", &m_parallax, true},
      {"phot_g_mean_mag", &m_gMag, true},
      {"parallax_error", &m_parallaxError, false},
      {"parallax_over_error", &m_parallaxOverError, false},
      {"bp_rp", &m_bpRp, false},
      {"designation", &m_designation, false},
      {"spectraltype_esphs", &m_spect, false},
  };
  for (const auto& column : columns) {
    *column.index = kAbsent;
    for (size_t i = 0; i < header.size() && *column.index == kAbsent; ++i)
      if (header[i] == column.name) *column.index = i;
    if (column.required && *column.index == kAbsent) {
      *error = std::string("no column named '") + column.name + "' in the header";
      return false;
    }
  }
  return true;
}

bool GaiaColumns::Parse(std::span<const std::string> row, GaiaRow* gaia, std::string* error) const {
  if (row.size() != m_columnCount) {
    *error = std::to_string(row.size()) + " fields where the header has " + std::to_string(m_columnCount);
    return false;
  }
  const auto fail = [&](const char* column, const char* expected, const std::string& text) {
    *error = std::string("column '") + column + "': '" + text + "' is not " + expected;
    return false;
  };
  if (!ParseWholeNumber(row[m_sourceId], &gaia->sourceId))
    return fail("source_id", "a whole number", row[m_sourceId]);
  if (!ParseDecimal(row[m_ra], &gaia->ra)) return fail("ra", "a number", row[m_ra]);
  if (!ParseDecimal(row[m_dec], &gaia->dec)) return fail("dec", "a number", row[m_dec]);

  const struct {
    const char* name;
    size_t index;
    std::optional<double>* value;
  } optionalNumbers[] = {
      {"parallax", m_parallax, &gaia->parallax},
      {"parallax_error", m_parallaxError, &gaia->parallaxError},
      {"parallax_over_error", m_parallaxOverError, &gaia->parallaxOverError},
      {"phot_g_mean_mag", m_gMag, &gaia->gMag},
      {"bp_rp", m_bpRp, &gaia->bpRp},
  };
  for (const auto& number : optionalNumbers) {
    number.value->reset();
    if (number.index == kAbsent || IsNull(row[number.index])) continue;
    double value = 0.0;
    if (!ParseDecimal(row[number.index], &value)) return fail(number.name, "a number", row[number.index]);
    *number.value = value;
  }
  gaia->designation = m_designation == kAbsent ? std::string_view() : std::string_view(row[m_designation]);
  gaia->spect = m_spect == kAbsent ? std::string_view() : std::string_view(row[m_spect]);
  return true;
}
