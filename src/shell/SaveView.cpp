// The file dialog and the error box of File > Save View As.
#include "shell/SaveView.h"

#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>

#include "shell/CommandTable.h"
#include "shell/PngFile.h"

QString PngFileNameAsker::operator()(QWidget& parent, const QString& suggested) {
  if (!m_dialog || m_dialog->parentWidget() != &parent) {
    delete m_dialog;
    m_dialog = new QFileDialog(&parent, QStringLiteral("Save View As"), suggested,
                               QStringLiteral("PNG pictures (*.png)"));
    m_dialog->setAcceptMode(QFileDialog::AcceptSave);
    m_dialog->setDefaultSuffix(QStringLiteral("png"));
  }
  m_dialog->selectFile(suggested);
  if (m_dialog->exec() != QDialog::Accepted || m_dialog->selectedFiles().isEmpty()) return {};
  return m_dialog->selectedFiles().constFirst();
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
