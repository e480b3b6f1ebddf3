// Parsing of the headless render's option values.
#include "shell/RenderOptions.h"

#include <array>
#include <optional>
#include <vector>

#include "interaction/EditText.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// Two or three numbers separated by commas; nullopt when any part is not a number.
template <size_t N>
std::optional<std::array<double, N>> ParseNumbers(std::string_view text) {
  const std::vector<std::string_view> parts = Split(text, ',');
  if (parts.size() != N) return std::nullopt;
  std::array<double, N> values{};
  for (size_t i = 0; i < N; ++i) {
    const std::optional<double> value = edit_text::ParseDouble(parts[i]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  return values;
}

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "'" + std::string(text).
std::string Quoted(std::string_view text) {
  std::string quoted(1, '\'');
  quoted.append(text).push_back('\'');
  return quoted;
}

}  // namespace

std::string ParseRenderSize(std::string_view text, RenderOptions& options) {
  const size_t cross = text.find('x');
  const std::optional<int> width = edit_text::ParseInt(text.substr(0, cross));
  const std::optional<int> height =
      cross == std::string_view::npos ? std::nullopt : edit_text::ParseInt(text.substr(cross + 1));
  if (!width || !height) return "--size: expected WIDTHxHEIGHT in pixels, got " + Quoted(text);
  if (*width <= 0 || *height <= 0) return "--size: width and height must be positive, got " + Quoted(text);
  if (*width > kMaxRenderSide || *height > kMaxRenderSide)
    return "--size: width and height must be at most " + std::to_string(kMaxRenderSide) + ", got " +
           Quoted(text);
  if ((*width & 1) != 0) return "--size: the width must be even, got " + std::to_string(*width);
  options.width = *width;
  options.height = *height;
  return {};
}

std::string ParseRenderPosition(std::string_view text, RenderOptions& options) {
  const auto values = ParseNumbers<3>(text);
  if (!values) return "--position: expected X,Y,Z in light years, got " + Quoted(text);
  options.positionX = (*values)[0];
  options.positionY = (*values)[1];
  options.positionZ = (*values)[2];
  return {};
}

std::string ParseRenderView(std::string_view text, RenderOptions& options) {
  const auto values = ParseNumbers<2>(text);
  if (!values) return "--view: expected U,V in degrees, got " + Quoted(text);
  const double u = (*values)[0];
  const double v = (*values)[1];
  if (!(u >= 0.0 && u <= 360.0))
    return "--view: U must be between 0 and 360 degrees, got " + Quoted(Split(text, ',')[0]);
  if (!(v >= -90.0 && v <= 90.0))
    return "--view: V must be between -90 and 90 degrees, got " + Quoted(Split(text, ',')[1]);
  options.viewU = u;
  options.viewV = v;
  return {};
}

std::string ParseRenderTravelTo(std::string_view text, RenderOptions& options) {
  if (text.empty()) return "--travel-to: expected a star name";
  options.navigation.travelTo = text;
  return {};
}

std::string ParseRenderLookAt(std::string_view text, RenderOptions& options) {
  if (text.empty()) return "--look-at: expected a star name";
  options.navigation.lookAt = text;
  return {};
}

std::string ParseRenderSelect(std::string_view text, RenderOptions& options) {
  if (text.empty()) return "--select: expected a star name";
  options.navigation.select = text;
  return {};
}

std::string ParseRenderZoom(std::string_view text, RenderOptions& options) {
  const std::optional<double> zoom = edit_text::ParseDouble(text);
  if (!zoom || !(*zoom > 0.0)) return "--zoom: expected a factor greater than 0, got " + Quoted(text);
  options.zoom = *zoom;
  return {};
}

std::string ParseRenderLabels(std::string_view text, RenderOptions& options) {
  bool names = false;
  bool smallNames = false;
  bool designations = false;
  bool distances = false;
  for (std::string_view kind : Split(text, ',')) {
    if (kind == "names") {
      names = true;
    } else if (kind == "small-names") {
      smallNames = true;
    } else if (kind == "designations") {
      designations = true;
    } else if (kind == "distances") {
      distances = true;
    } else {
      return "--labels: unknown label kind " + Quoted(kind) +
             " (use names, small-names, designations, distances)";
    }
  }
  options.display.ShowLabels(names, smallNames, designations);
  if (distances) options.display.distances = 1;
  return {};
}
