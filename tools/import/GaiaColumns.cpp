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

bool GaiaColumns::Bind(std::span<const std::string> header, const StarSourceOptions& options,
                       std::string* error) {
  m_columnCount = header.size();
  ColumnSlot slots[kGaiaFieldCount];
  for (int field = 0; field < kGaiaFieldCount; ++field)
    slots[field] = {kGaiaFields[field].name, &m_index[field], GaiaFieldRequired(field, options)};
  return BindColumns(header, slots, error);
}

bool GaiaColumns::Parse(std::span<const std::string> row, GaiaRow* gaia, std::string* error) const {
  if (!HasHeaderFieldCount(row, m_columnCount, error)) return false;
  const auto text = [&](int field) -> const std::string& { return row[m_index[field]]; };
  const auto fail = [&](int field, const char* expected) {
    return FieldError(kGaiaFields[field].name, expected, text(field), error);
  };
  if (!ParseWholeNumber(text(kGaiaSourceId), &gaia->sourceId)) return fail(kGaiaSourceId, "a whole number");
  if (!ParseDecimal(text(kGaiaRa), &gaia->ra)) return fail(kGaiaRa, "a number");
  if (!ParseDecimal(text(kGaiaDec), &gaia->dec)) return fail(kGaiaDec, "a number");
  for (int field = kGaiaParallax; field <= kGaiaRMedPhotogeo; ++field) {
    std::optional<double>& number = GaiaNumber(*gaia, field);
    number.reset();
    if (m_index[field] == kNoColumn || IsNull(text(field))) continue;
    double value = 0.0;
    if (!ParseDecimal(text(field), &value)) return fail(field, "a number");
    number = value;
  }
  const auto view = [&](int field) {
    return m_index[field] == kNoColumn ? std::string_view() : std::string_view(text(field));
  };
  gaia->designation = view(kGaiaDesignation);
  gaia->spect = view(kGaiaSpect);
  return true;
}
