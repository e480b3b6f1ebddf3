// The options of a headless render and the parsing of their values: the
// image size, the observer's position (or a star to travel to), view
// direction (or a star to look at) and zoom, what is shown (the view's
// display options) and the star to select. Each parser returns an error text
// naming the option and the problem, or an empty text on success.
#pragma once

#include <string>
#include <string_view>

#include "interaction/DisplayOptions.h"
#include "view/ScriptedNavigation.h"

struct RenderOptions {
  std::string outputPath;
  int width = 640;
  int height = 480;
  double positionX = 0.0;  // light years
  double positionY = 0.0;
  double positionZ = 0.0;
  double viewU = 0.0;           // yaw in degrees, 0 to 360
  double viewV = 0.0;           // pitch in degrees, -90 to 90
  NavigationScript navigation;  // applied after the position and the view direction; also the selection
  double zoom = 1.0;
  DisplayOptions display;  // labels, magnitude drawing, colours, figures, grid, with their rules
};

// The largest width or height --size accepts.
inline constexpr int kMaxRenderSide = 8192;

std::string ParseRenderSize(std::string_view text, RenderOptions& options);      // "WxH", even W
std::string ParseRenderPosition(std::string_view text, RenderOptions& options);  // "X,Y,Z"
std::string ParseRenderView(std::string_view text, RenderOptions& options);      // "U,V" in degrees
std::string ParseRenderTravelTo(std::string_view text, RenderOptions& options);  // a star name
std::string ParseRenderLookAt(std::string_view text, RenderOptions& options);    // a star name
std::string ParseRenderSelect(std::string_view text, RenderOptions& options);    // a star name
std::string ParseRenderZoom(std::string_view text, RenderOptions& options);      // factor > 0
// Comma-separated names, small-names, designations, distances.
std::string ParseRenderLabels(std::string_view text, RenderOptions& options);
