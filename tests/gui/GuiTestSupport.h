// Helpers of the GUI tests: the bytes of a map of stars placed in light years,
// maps that cannot be used with the reasons given for them, a run of the
// program, and a watcher that answers the message box a dialog opens modally.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MapBytes.h"

struct TestStar {
  uint32_t number;
  double x, y, z;  // light years
  double absoluteMagnitude;
  std::string tag;
  std::string name;
};

// The plain-encoded map of these stars.
Bytes TestMapBytes(const std::vector<TestStar>& stars);

// A star ahead of the start position, 32.6 light years away, so its apparent
// magnitude equals its absolute magnitude 4.0: one white pixel at the view's
// centre.
TestStar CentreStar();

// A map file that cannot be used, and the reason the program gives for it
// after "PATH: ".
struct BrokenMap {
  const char* name;
  enum Kind { Missing, Directory, File } kind;
  Bytes bytes;
  std::string reason;
};
// One of each way: missing, unreadable, not a map, wrong header, truncated,
// a record that cannot be decoded.
std::vector<BrokenMap> BrokenMaps();
// Puts the broken map at path.
void PlaceBrokenMap(const BrokenMap& map, const std::string& path);

// How a run of the vantaro program ended: its exit code (-1 when it crashed
// or did not finish) and what it wrote to standard error.
struct ProcessResult {
  int exitCode;
  QString errorText;
};
// Runs in workingDirectory when given, else in the test's own.
ProcessResult RunVantaro(const QStringList& arguments, const QString& workingDirectory = {});

// While alive, polls for the active modal widget (a dialog run with exec,
// or a message box it opens) and hands it to answer, which may close it.
class ModalWatcher : public QObject {
 public:
  explicit ModalWatcher(std::function<void(QWidget&)> answer);

 private:
  std::function<void(QWidget&)> m_answer;
  QTimer m_timer;
};

// Closes every message box that opens and keeps its text.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  const std::vector<QString>& Texts() const { return m_texts; }

 private:
  std::vector<QString> m_texts;
  ModalWatcher m_watcher;
};
