// The file dialog and the error box of File > Save View As.
#include "shell/SaveView.h"

#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>

#include "shell/CommandTable.h"
#include "shell/PngFile.h"

QString AskPngFileName(QWidget& parent, const QString& suggested) {
  QFileDialog dialog(&parent, QStringLiteral("Save View As"), suggested,
                     QStringLiteral("PNG pictures (*.png)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  dialog.selectFile(suggested);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QString SaveViewAs(QWidget& parent, const QImage& picture, const QString& suggested,
                   const SaveFileNameAsker& ask) {
  const QString path = ask(parent, suggested);
  if (path.isEmpty()) return {};
  const QString reason = WritePngFile(picture, path);
  if (reason.isEmpty()) return path;
  QMessageBox::critical(
      &parent, QString::fromLatin1(kAppTitle),
      QStringLiteral("Cannot save the view as \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
  return {};
}
