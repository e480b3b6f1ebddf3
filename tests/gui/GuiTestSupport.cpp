// Map files and message boxes for the GUI tests.
#include "GuiTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cmath>

namespace {

void AppendLittleEndian(QByteArray& bytes, int64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

int64_t Millionths(double value) { return std::llround(value * 1e6); }

}  // namespace

void WriteTestMap(const QString& path, const std::vector<TestStar>& stars) {
  QByteArray bytes("starmap");
  bytes.append(char(2)).append(char(0)).append(char(0)).append(char(1)).append(char(0));
  AppendLittleEndian(bytes, static_cast<int64_t>(stars.size()), 3);
  for (const TestStar& star : stars) {
    AppendLittleEndian(bytes, star.number, 3);
    for (double field : {star.x, star.y, star.z, star.absoluteMagnitude})
      AppendLittleEndian(bytes, Millionths(field), 4);
    bytes.append(star.tag.c_str(), static_cast<qsizetype>(star.tag.size() + 1));
    bytes.append(star.name.c_str(), static_cast<qsizetype>(star.name.size() + 1));
  }
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

// A thousandth of a light year right of straight ahead: the basis's right
// vector has a z component of about -3.5e-15, which would put a star exactly
// ahead a hair left of the centre column.
TestStar CentreStar() { return {1, 0.001, 0.0, 32.6, 4.0, "A", "Centre"}; }

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
