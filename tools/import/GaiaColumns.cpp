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
  const ColumnSlot columns[] = {
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
  return BindColumns(header, columns, error);
}

bool GaiaColumns::Parse(std::span<const std::string> row, GaiaRow* gaia, std::string* error) const {
  if (!HasHeaderFieldCount(row, m_columnCount, error)) return false;
  const auto fail = [&](const char* column, const char* expected, const std::string& text) {
    return FieldError(column, expected, text, error);
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
    if (number.index == kNoColumn || IsNull(row[number.index])) continue;
    double value = 0.0;
    if (!ParseDecimal(row[number.index], &value)) return fail(number.name, "a number", row[number.index]);
    *number.value = value;
  }
  gaia->designation = m_designation == kNoColumn ? std::string_view() : std::string_view(row[m_designation]);
  gaia->spect = m_spect == kNoColumn ? std::string_view() : std::string_view(row[m_spect]);
  return true;
}
