// Map bytes, broken maps, program runs and message boxes for the GUI tests.
#include "GuiTestSupport.h"

#include <filesystem>
#include <fstream>

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

std::vector<BrokenMap> BrokenMaps() {
  const Bytes good = TestMapBytes({CentreStar()});  // one record at 15: 19 bytes, "A", "Centre" from 36
  const Bytes three = TestMapBytes({CentreStar(), CentreStar(), CentreStar()});  // records at 15, 43, 71
  Bytes version = good;
  version[7] = 3;
  return {
      {"missing", BrokenMap::Missing, {}, "cannot open the file: No such file or directory"},
      {"unreadable", BrokenMap::Directory, {}, "cannot open the file: Is a directory"},
      {"not a map",
       BrokenMap::File,
       {'<', 'h', 't', 'm', 'l', '>'},
       "not a map: it does not begin with \"starmap\" (byte offset 0 is 0x3C)"},
      {"wrong header", BrokenMap::File, version,
       "wrong header: format version 3 (byte offset 7), version 2 expected"},
      {"truncated", BrokenMap::File, Bytes(three.begin(), three.begin() + 81),
       "truncated: record 3 of 3 at byte offset 71 is cut short"},
      {"undecodable record", BrokenMap::File, Bytes(good.begin(), good.end() - 1),
       "cannot decode record 1 of 1: its tag or name at byte offset 36 has no terminator"},
  };
}

void PlaceBrokenMap(const BrokenMap& map, const std::string& path) {
  std::filesystem::remove_all(path);
  if (map.kind == BrokenMap::Directory) std::filesystem::create_directory(path);
  if (map.kind == BrokenMap::File)
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(map.bytes.data()),
               static_cast<std::streamsize>(map.bytes.size()));
}

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
