// Reading the figures file: tab-separated "figure", "star" and "line"
// records in UTF-8, '#' comments; any other line, a bad number or a line to a star
// the figure does not have is an error naming the line.
#include "overlay/FigureFile.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <string_view>

#include "text/Cp1252.h"

namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  if constexpr (std::is_floating_point_v<T>)
    if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// The error of one record, or empty; adds the record to figures.
std::string ParseRecord(std::string_view line, std::vector<ConstellationFigure>& figures) {
  const std::vector<std::string_view> fields = SplitTabs(line);
  const std::string_view kind = fields[0];
  if (kind == "figure") {
    if (fields.size() != 3 || fields[1].empty() || fields[2].empty())
      return "a figure needs an abbreviation and a name";
    figures.push_back(
        {std::string(fields[1]), Utf8ToCp1252(fields[2]), {}, {}});  // names are drawn in code page 1252
    return {};
  }
  if (kind != "star" && kind != "line") return "unknown record '" + std::string(kind) + "'";
  if (figures.empty()) return "a " + std::string(kind) + " before the first figure";
  ConstellationFigure& figure = figures.back();
  if (kind == "star") {
    if (fields.size() != 5) return "a star needs a catalogue number and x, y, z";
    const auto number = ParseNumber<int32_t>(fields[1]);
    const auto x = ParseNumber<double>(fields[2]);
    const auto y = ParseNumber<double>(fields[3]);
    const auto z = ParseNumber<double>(fields[4]);
    if (!number || *number < 0 || !x || !y || !z) return "a star's number or position is not a number";
    figure.stars.push_back({*number, Vector3D(*x, *y, *z)});
    return {};
  }
  if (fields.size() != 3) return "a line needs two star indices";
  const auto from = ParseNumber<int32_t>(fields[1]);
  const auto to = ParseNumber<int32_t>(fields[2]);
  const auto stars = static_cast<int32_t>(figure.stars.size());
  if (!from || !to || *from < 0 || *to < 0 || *from >= stars || *to >= stars)
    return "a line joins a star the figure " + figure.abbreviation + " does not have";
  figure.lines.push_back({*from, *to});
  return {};
}

}  // namespace

FigureFileResult ParseFigureFile(std::istream& text, const std::string& source) {
  FigureFileResult result;
  std::string line;
  for (int number = 1; std::getline(text, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (std::string error = ParseRecord(line, result.figures); !error.empty()) {
      result.figures.clear();
      result.error = source + ", line " + std::to_string(number) + ": " + error;
      return result;
    }
  }
  if (text.bad())
    result.error = source + ": cannot be read";
  else if (result.figures.empty())
    result.error = source + ": holds no figure";
  if (!result.error.empty()) result.figures.clear();
  return result;
}

FigureFileResult ReadFigureFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {{}, path + ": cannot be opened"};
  return ParseFigureFile(file, path);
}
