// File > Save View As: asks for a file name, then writes the view's picture
// as PNG; a failed write is reported in a message box.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>

class QFileDialog;
class QImage;
class QWidget;

// Asks where to save, starting from suggested; an empty text when cancelled.
using SaveFileNameAsker = std::function<QString(QWidget& parent, const QString& suggested)>;

// The standard file dialog for saving a PNG picture. It is made at the first
// use and kept (a child of that parent), so that it keeps its place, size and
// what it learned of the file system, instead of building them all again.
class PngFileNameAsker {
 public:
  QString operator()(QWidget& parent, const QString& suggested);

 private:
  QPointer<QFileDialog> m_dialog;
};

// Asks for the file name and writes picture there. Returns the file written,
// or an empty text when cancelled or failed (the message box has said why).
QString SaveViewAs(QWidget& parent, const QImage& picture, const QString& suggested,
                   const SaveFileNameAsker& ask);
