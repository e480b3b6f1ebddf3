// The status bar's CAP, NUM and SCRL panes: each shows its text only while
// its lock is on, and is blank where the keyboard cannot be read. The state
// is read at start, whenever the window becomes active, after every press or
// release of a lock key and whenever the reader reports a change (another
// program may switch a lock while this window is shown but not focused).
#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "framework/LockKeyReader.h"

class QLabel;
class QStatusBar;
class QWidget;

class LockIndicators : public QObject {
 public:
  // Adds the three panes to the bar; window is the frame whose activation refreshes them.
  LockIndicators(QStatusBar& bar, QWidget& window);

  // Replaces the keyboard reader (tests fake it) and refreshes.
  void SetReader(std::unique_ptr<LockKeyReader> reader);
  void Refresh();
  const std::vector<QLabel*>& Panes() const { return m_panes; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& m_window;
  std::unique_ptr<LockKeyReader> m_reader;
  std::vector<QLabel*> m_panes;  // in the order of StatusIndicators()
};
