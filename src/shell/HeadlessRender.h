// One frame without a window: the same document and view as the window,
// with a platform that draws into an image. A loaded map gives the star
// buffer; no map gives the no-map screen.
#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <vector>

#include "overlay/FigureFile.h"
#include "shell/RenderOptions.h"

enum class RenderResult {
  Written,
  UnknownStar,  // a star to travel to, look at or select was not found
  WriteFailed,
};

// Needs a QGuiApplication (fonts); any platform, offscreen included. No image,
// with the reason in errorText, when the navigation names no star. figures:
// what --constellations draws (none: the figures are not drawn).
std::optional<QImage> RenderFrame(const RenderOptions& options, const std::string& mapPath,
                                  std::string* errorText, std::vector<ConstellationFigure> figures = {});
// Renders and writes options.outputPath as PNG; the reason of a failure goes
// to errorText.
RenderResult RenderToPng(const RenderOptions& options, const std::string& mapPath, std::string* errorText,
                         std::vector<ConstellationFigure> figures = {});
