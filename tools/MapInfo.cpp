// Reports on a map file as the program's loader sees it, its stars as CSV,
// and the stars found by name with their neighbours.
#include "MapInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "Designation.h"
#include "WorldFrame.h"
#include "catalog/MapFailureText.h"
#include "catalog/MapFileLoad.h"
#include "text/Cp1252.h"

namespace {

constexpr size_t kListLength = 10;
constexpr double kNearestDrawn = 0.01;  // the program skips stars nearer than this (light years)
constexpr double kModulusReference = 32.6;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

// Fixed-point text without trailing zeros: "4.83", "0", "-1.5".
std::string Trimmed(double value, int decimals) {
  std::string text = Format("%.*f", decimals, value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

// Parsecs to 9 decimals: off by at most 5e-10 pc, which is 0.0017 millionths
// of a light year, so vantaro-mkmap rounds back to the same stored value.
std::string Parsecs(double lightYears) { return Trimmed(lightYears / kLightYearsPerParsec, 9); }

// A stored magnitude is a whole number of millionths; six decimals give it exactly.
std::string Magnitude(double value) { return Trimmed(value, 6); }

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

double Distance(const Vector3D& a, const Vector3D& b) {
  const Vector3D d = a - b;
  return std::sqrt(d.x * d.x + (d.y * d.y + d.z * d.z));
}

double ApparentMagnitude(const StarEntry& star, double distance) {
  return star.dAbsMagnitude + 5.0 * std::log10(distance / kModulusReference);
}

bool NameStartsWith(const StarEntry& star, std::string_view query) {
  return std::string_view(star.szName).starts_with(query);
}

std::string DisplayName(const StarEntry& star) {
  std::string name = star.szName[0] ? Cp1252ToUtf8(star.szName) : "(no name)";
  return name + " [" + std::to_string(star.nCatalogNumber) + "]";
}

// Indices of the first kListLength stars by key, ties in catalogue order.
template <typename Key>
std::vector<int32_t> Leading(const std::vector<int32_t>& candidates, Key key) {
  std::vector<int32_t> order = candidates;
  const size_t count = std::min(kListLength, order.size());
  std::partial_sort(order.begin(), order.begin() + count, order.end(), [&](int32_t a, int32_t b) {
    const double ka = key(a), kb = key(b);
    return ka < kb || (ka == kb && a < b);
  });
  order.resize(count);
  return order;
}

void WriteRange(std::ostream& out, const char* label, double low, double high, const char* unit) {
  out << Format("  %-20s %14.6f to %.6f%s\n", label, low, high, unit);
}

}  // namespace

bool LoadMapFile(const std::string& path, LoadedMap* map) {
  map->path = path;
  map->loaded = LoadStarMapFile(map->catalog, path, map->diagnosis, &map->fileSize);
  return map->diagnosis.rejection != MapRejection::CannotOpen;
}

void WriteRejection(std::ostream& out, const LoadedMap& map) {
  out << MapFailureMessage(map.path, map.diagnosis) << "\n";
}

void WriteReport(std::ostream& out, const LoadedMap& map) {
  const StarCatalog& catalog = map.catalog;
  out << map.path << ": accepted by the loader\n";
  out << "  encoding:            " << (map.diagnosis.complemented ? "complemented" : "plain") << "\n";
  out << "  stars:               " << catalog.m_nStars << "\n";
  out << "  file size:           " << map.fileSize << " bytes\n";
  out << "  after last record:   " << map.fileSize - map.diagnosis.endOffset << " bytes\n";
  if (catalog.m_nStars == 0) return;

  Vector3D low = catalog.m_pStars[0].vPos, high = low;
  double lowMag = catalog.m_pStars[0].dAbsMagnitude, highMag = lowMag;
  int32_t named = 0, labelDesignations = 0, dialogDesignations = 0;
  std::vector<int32_t> drawn;  // stars the program draws from the origin
  for (int32_t i = 0; i < catalog.m_nStars; ++i) {
    const StarEntry& star = catalog.m_pStars[i];
    low = Vector3D(std::min(low.x, star.vPos.x), std::min(low.y, star.vPos.y), std::min(low.z, star.vPos.z));
    high =
        Vector3D(std::max(high.x, star.vPos.x), std::max(high.y, star.vPos.y), std::max(high.z, star.vPos.z));
    lowMag = std::min(lowMag, star.dAbsMagnitude);
    highMag = std::max(highMag, star.dAbsMagnitude);
    named += star.szName[0] != 0;
    labelDesignations += IsLabelDesignation(star.szName);
    dialogDesignations += IsDialogDesignation(star.szName);
    if (Distance(star.vPos, Vector3D()) >= kNearestDrawn) drawn.push_back(i);
  }
  WriteRange(out, "x:", low.x, high.x, " ly");
  WriteRange(out, "y:", low.y, high.y, " ly");
  WriteRange(out, "z:", low.z, high.z, " ly");
  WriteRange(out, "absolute magnitude:", lowMag, highMag, "");
  out << "  names:               " << named << " of " << catalog.m_nStars << " stars\n";
  out << "  designations:        " << labelDesignations << " by the label test (second character + or -), "
      << dialogDesignations << " by the dialog test (degree sign as fifth byte)\n";

  const auto distance = [&](int32_t i) { return Distance(catalog.m_pStars[i].vPos, Vector3D()); };
  const auto apparent = [&](int32_t i) { return ApparentMagnitude(catalog.m_pStars[i], distance(i)); };
  out << "  nearest stars seen from the origin (stars nearer than 0.01 ly are not drawn):\n";
  for (const int32_t i : Leading(drawn, distance))
    out << Format("    %12.6f ly  m %7.3f  ", distance(i), apparent(i)) << DisplayName(catalog.m_pStars[i])
        << "\n";
  out << "  brightest stars seen from the origin:\n";
  for (const int32_t i : Leading(drawn, apparent))
    out << Format("    %12.6f ly  m %7.3f  ", distance(i), apparent(i)) << DisplayName(catalog.m_pStars[i])
        << "\n";
}

void WriteStarsCsv(std::ostream& out, const StarCatalog& catalog) {
  out << "id,hip,proper,spect,x,y,z,absmag\n";
  for (int32_t i = 0; i < catalog.m_nStars; ++i) {
    const StarEntry& star = catalog.m_pStars[i];
    out << i << ',' << star.nCatalogNumber << ',' << CsvField(Cp1252ToUtf8(star.szName)) << ','
        << CsvField(Cp1252ToUtf8(star.szTag)) << ',' << Parsecs(star.vPos.x) << ',' << Parsecs(star.vPos.y)
        << ',' << Parsecs(star.vPos.z) << ',' << Magnitude(star.dAbsMagnitude) << '\n';
  }
}

std::string NameQuery(std::string_view utf8) {
  if (std::optional<std::string> designation = ConvertDesignation(utf8)) return *designation;
  return Utf8ToCp1252(utf8);
}

bool WriteNearStars(std::ostream& out, const StarCatalog& catalog, std::string_view query, double radius) {
  const StarEntry* centre = nullptr;
  for (int32_t i = 0; i < catalog.m_nStars && !centre; ++i)
    if (NameStartsWith(catalog.m_pStars[i], query)) centre = &catalog.m_pStars[i];
  if (!centre) return false;

  std::vector<std::pair<double, int32_t>>
      near;  // distance, index: sorts nearest first, ties in catalogue order
  for (int32_t i = 0; i < catalog.m_nStars; ++i) {
    const double distance = Distance(catalog.m_pStars[i].vPos, centre->vPos);
    if (distance <= radius && &catalog.m_pStars[i] != centre) near.emplace_back(distance, i);
  }
  std::sort(near.begin(), near.end());
  out << DisplayName(*centre)
      << Format(" at (%.6f, %.6f, %.6f) ly: %zu stars within %g ly\n", centre->vPos.x, centre->vPos.y,
                centre->vPos.z, near.size(), radius);
  for (const auto& [distance, i] : near)
    out << Format("  %12.6f ly  ", distance) << DisplayName(catalog.m_pStars[i]) << "\n";
  return true;
}

bool WriteFoundStars(std::ostream& out, const StarCatalog& catalog, std::string_view query) {
  bool found = false;
  for (int32_t i = 0; i < catalog.m_nStars; ++i) {
    const StarEntry& star = catalog.m_pStars[i];
    if (!NameStartsWith(star, query)) continue;
    found = true;
    out << DisplayName(star)
        << Format("  %s  M %.3f  %.6f ly from the origin at (%.6f, %.6f, %.6f)\n",
                  Cp1252ToUtf8(star.szTag).c_str(), star.dAbsMagnitude, Distance(star.vPos, Vector3D()),
                  star.vPos.x, star.vPos.y, star.vPos.z);
  }
  return found;
}
