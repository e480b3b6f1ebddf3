// One frame without a window: the same document and view as the window,
// with a platform that draws into an image. A loaded map gives the star
// buffer; no map gives the no-map screen.
#pragma once

#include <QImage>
#include <string>

#include "shell/RenderOptions.h"

// Needs a QGuiApplication (fonts); any platform, offscreen included.
QImage RenderFrame(const RenderOptions& options, const std::string& mapPath);
// Renders and writes options.outputPath as PNG; false with the reason in
// errorText when the file cannot be written.
bool RenderToPng(const RenderOptions& options, const std::string& mapPath, std::string* errorText);
