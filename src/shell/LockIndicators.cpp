// The lock indicator panes and what refreshes them.
#include "shell/LockIndicators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include "interaction/CommandIds.h"
#include "shell/CommandTable.h"

namespace {

bool IsLockKey(int key) {
  return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

bool IsLockOn(int indicatorId, const LockKeys& keys) {
  switch (indicatorId) {
    case cmd::kIndicatorCaps:
      return keys.caps;
    case cmd::kIndicatorNum:
      return keys.num;
    case cmd::kIndicatorScroll:
      return keys.scroll;
  }
  return false;
}

}  // namespace

LockIndicators::LockIndicators(QStatusBar& bar, QWidget& window) : QObject(&window), m_window(window) {
  for (const StatusIndicator& indicator : StatusIndicators()) {
    auto* pane = new QLabel(QString::fromLatin1(indicator.text), &window);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->sizeHint().width());  // the same width lit or blank
    bar.addPermanentWidget(pane);
    m_panes.push_back(pane);
  }
  qApp->installEventFilter(this);
  SetReader(MakeX11LockKeyReader());
}

void LockIndicators::SetReader(std::unique_ptr<LockKeyReader> reader) {
  m_reader = std::move(reader);
  m_reader->WatchChanges([this] { Refresh(); });
  Refresh();
}

void LockIndicators::Refresh() {
  const std::optional<LockKeys> keys = m_reader->Read();
  const auto indicators = StatusIndicators();
  for (size_t i = 0; i < m_panes.size(); ++i) {
    const bool lit = keys && IsLockOn(indicators[i].id, *keys);
    m_panes[i]->setText(lit ? QString::fromLatin1(indicators[i].text) : QString());
  }
}

bool LockIndicators::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
      IsLockKey(static_cast<QKeyEvent*>(event)->key()))
    Refresh();
  else if (type == QEvent::WindowActivate && watched == &m_window)
    Refresh();
  return false;
}
