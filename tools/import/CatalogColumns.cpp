// Column binding and row parsing for star catalogue CSV files.
#include "CatalogColumns.h"

#include <charconv>
#include <cmath>

namespace {

// Drops one leading '+'; from_chars accepts only '-'. "+-1" stays invalid.
std::string_view WithoutPlus(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

}  // namespace

bool ParseDecimal(std::string_view text, double* value) {
  text = WithoutPlus(text);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  // from_chars reads "inf" and "nan" too; neither is a position or magnitude.
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(*value);
}

bool ParseWholeNumber(std::string_view text, uint64_t* value) {
  text = WithoutPlus(text);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size();
}

bool CatalogColumns::Bind(std::span<const std::string> header, std::string* error) {
  m_columnCount = header.size();
  m_atHyg = HasColumn(header, "x0");
  const auto name = [&](const char* plain, const char* atHyg) { return m_atHyg ? atHyg : plain; };
  const ColumnSlot columns[] = {
      {"id", &m_id, true},           {"hip", &m_hip, true},
      {"proper", &m_proper, true},   {name("dm", nullptr), &m_dm, false},  // AT-HYG has no dm column
      {"spect", &m_spect, true},     {name("x", "x0"), &m_x, true},
      {name("y", "y0"), &m_y, true}, {name("z", "z0"), &m_z, true},
      {"absmag", &m_absMag, true},   {name(nullptr, "dist"), &m_dist, true},
  };
  return BindColumns(header, columns, error);
}

bool CatalogColumns::Parse(std::span<const std::string> row, CatalogStar* star, std::string* error) const {
  if (!HasHeaderFieldCount(row, m_columnCount, error)) return false;
  const auto fail = [&](const char* column, const char* expected, const std::string& text) {
    return FieldError(column, expected, text, error);
  };
  star->noDistance = false;
  star->numberedInOrder = false;
  star->gaiaDistance.reset();
  if (!ParseWholeNumber(row[m_id], &star->id)) return fail("id", "a whole number", row[m_id]);
  star->hip.reset();
  if (!row[m_hip].empty()) {
    uint64_t hip = 0;
    if (!ParseWholeNumber(row[m_hip], &hip)) return fail("hip", "a whole number", row[m_hip]);
    star->hip = hip;
  }
  star->proper = row[m_proper];
  star->dm = m_dm == kNoColumn ? std::string_view() : std::string_view(row[m_dm]);
  star->spect = row[m_spect];

  if (m_atHyg) {
    bool usable = false;
    if (const auto problem = UsableDistance(row, &usable)) {
      *error = *problem;
      return false;
    }
    if (!usable) {
      star->noDistance = true;
      return true;
    }
  }
  const struct {
    const char* name;
    size_t index;
    double* value;
  } coordinates[] = {{m_atHyg ? "x0" : "x", m_x, &star->position.x},
                     {m_atHyg ? "y0" : "y", m_y, &star->position.y},
                     {m_atHyg ? "z0" : "z", m_z, &star->position.z}};
  for (const auto& coordinate : coordinates)
    if (!ParseDecimal(row[coordinate.index], coordinate.value))
      return fail(coordinate.name, "a number", row[coordinate.index]);

  star->absMag.reset();
  if (!row[m_absMag].empty()) {
    double absMag = 0.0;
    if (!ParseDecimal(row[m_absMag], &absMag)) return fail("absmag", "a number", row[m_absMag]);
    star->absMag = absMag;
  }
  return true;
}

std::optional<std::string> CatalogColumns::UsableDistance(std::span<const std::string> row,
                                                          bool* usable) const {
  // AT-HYG leaves the distance and position empty where it has none; like
  // HYG it may also write 100000 parsecs for an unknown distance.
  const std::string& text = row[m_dist];
  double dist = 0.0;
  if (!text.empty() && !ParseDecimal(text, &dist)) return "column 'dist': '" + text + "' is not a number";
  *usable = !text.empty() && dist > 0.0 && dist < kUnknownDistance && !row[m_x].empty() &&
            !row[m_y].empty() && !row[m_z].empty();
  return std::nullopt;
}
