// One frame without a window: the same document and view as the window,
// with a platform that draws into an image: the star buffer of a loaded map.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "overlay/FigureFile.h"
#include "shell/RenderOptions.h"

enum class RenderResult {
  Written,
  NoMap,        // the map could not be opened or was rejected
  UnknownStar,  // a star to travel to, look at or select was not found
  WriteFailed,
};

// Needs a QGuiApplication (fonts); any platform, offscreen included. Written
// with the frame in image; otherwise the reason goes to errorText: the map's
// failure as "PATH: REASON", or the star the navigation did not find.
// figures: what --constellations draws (none: the figures are not drawn).
RenderResult RenderFrame(const RenderOptions& options, const std::string& mapPath, QImage* image,
                         std::string* errorText, std::vector<ConstellationFigure> figures = {});
// Renders and writes options.outputPath as PNG; the reason of a failure goes
// to errorText.
RenderResult RenderToPng(const RenderOptions& options, const std::string& mapPath, std::string* errorText,
                         std::vector<ConstellationFigure> figures = {});
