// Writing a picture as a PNG file, for --render and File > Save View As. The
// file is written under a temporary name and renamed when complete, so a
// failed write leaves neither a partial file nor a damaged older one.
#pragma once

#include <QString>

class QImage;

// Writes image to path as PNG; returns the reason of a failure, or an empty
// text when the file is written.
QString WritePngFile(const QImage& image, const QString& path);
