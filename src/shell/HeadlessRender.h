// One frame without a window: the same document and view as the window,
// with a platform that draws into an image. A loaded map gives the star
// buffer; no map gives the no-map screen.
#pragma once

#include <QImage>
#include <optional>
#include <string>

#include "shell/RenderOptions.h"

enum class RenderResult {
  Written,
  UnknownStar,  // a star to travel to or look at was not found
  WriteFailed,
};

// Needs a QGuiApplication (fonts); any platform, offscreen included. No image,
// with the reason in errorText, when the navigation names no star.
std::optional<QImage> RenderFrame(const RenderOptions& options, const std::string& mapPath,
                                  std::string* errorText);
// Renders and writes options.outputPath as PNG; the reason of a failure goes
// to errorText.
RenderResult RenderToPng(const RenderOptions& options, const std::string& mapPath, std::string* errorText);
