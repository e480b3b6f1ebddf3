// Map bytes, program runs and message boxes for the GUI tests.
#include "GuiTestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <cmath>

namespace {

int32_t Millionths(double value) { return static_cast<int32_t>(std::llround(value * 1e6)); }

}  // namespace

Bytes TestMapBytes(const std::vector<TestStar>& stars) {
  std::vector<MapRecord> records;
  for (const TestStar& star : stars)
    records.push_back({star.number, Millionths(star.x), Millionths(star.y), Millionths(star.z),
                       Millionths(star.absoluteMagnitude), star.tag, star.name});
  return MapBytes(records);
}

// A thousandth of a light year right of straight ahead: the basis's right
// vector has a z component of about -3.5e-15, which would put a star exactly
// ahead a hair left of the centre column.
TestStar CentreStar() { return {1, 0.001, 0.0, 32.6, 4.0, "A", "Centre"}; }

ProcessResult RunVantaro(const QStringList& arguments, const QString& workingDirectory) {
  QProcess process;
  if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
  process.start(QStringLiteral(VANTARO_EXECUTABLE), arguments);
  if (!process.waitForFinished(30000)) return {-1, "did not finish"};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardError())};
}

ModalWatcher::ModalWatcher(std::function<void(QWidget&)> answer) : m_answer(std::move(answer)) {
  connect(&m_timer, &QTimer::timeout, this, [this] {
    if (QWidget* modal = QApplication::activeModalWidget()) m_answer(*modal);
  });
  m_timer.start(10);
}

MessageBoxWatcher::MessageBoxWatcher()
    : m_watcher([this](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
          m_texts.push_back(box->text());
          box->accept();
        }
      }) {}
