// The PNG writer shared by the headless render and the window.
#include "shell/PngFile.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

QString WritePngFile(const QImage& image, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  QImageWriter writer(&file, "png");
  if (!writer.write(image)) {
    file.cancelWriting();
    return writer.errorString();
  }
  if (!file.commit()) return file.errorString();
  return {};
}
