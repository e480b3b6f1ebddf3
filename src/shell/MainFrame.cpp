// The main frame: its actions, menus, toolbar and status bar come from the
// command tables; its commands are Exit, Save View As, full screen (which Esc
// also leaves; outside it Esc clears the selection) and the two bar switches.
#include "shell/MainFrame.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QResizeEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <vector>

#include "interaction/CommandIds.h"
#include "shell/AppIcons.h"
#include "framework/CommandRouter.h"
#include "shell/CommandTable.h"
#include "framework/QtCmdUI.h"
#include "shell/SkyglassViewWidget.h"
#include "shell/StatusMessagePane.h"

namespace {

constexpr QSize kInitialOuterSize(652, 578);

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Sets the status-bar text and the tooltip from a prompt.
template <typename Target>
void ApplyPrompt(Target& target, const char* prompt) {
  const PromptParts parts = SplitPrompt(prompt);
  target.setStatusTip(Latin1(parts.status));
  target.setToolTip(Latin1(parts.tooltip));
}

}  // namespace

CMainFrame::CMainFrame(CommandRouter& router, SkyglassViewWidget* view)
    : m_router(router), m_view(view), m_outerSize(kInitialOuterSize) {
  setWindowTitle(QString::fromLatin1(kAppTitle));
  setWindowIcon(AppIcon());
  setCentralWidget(view);
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  resize(kInitialOuterSize);
}

void CMainFrame::CreateActions() {
  for (const CommandText& command : CommandTexts()) {
    if (command.id == cmd::kZoomField) continue;  // a control, not an action
    auto* action = new QAction(this);
    action->setData(command.id);
    const PromptParts parts = SplitPrompt(command.prompt);
    action->setText(*command.menuText != 0 ? QString::fromLatin1(command.menuText) : Latin1(parts.tooltip));
    ApplyPrompt(*action, command.prompt);
    action->setIcon(ToolbarIcon(command.id));
    action->setIconVisibleInMenu(false);  // menus show check marks, not button images
    m_actions[command.id] = action;
  }
  // Accelerators; commands that only a key sends get an action of their own.
  std::map<int, QList<QKeySequence>> keys;
  for (const Accelerator& accelerator : Accelerators())
    keys[accelerator.id].append(QKeySequence(QString::fromLatin1(accelerator.keys)));
  for (const auto& [id, sequences] : keys) {
    QAction*& action = m_actions[id];
    if (action == nullptr) {
      action = new QAction(this);
      action->setData(id);
    }
    action->setShortcuts(sequences);
  }
  for (const auto& [id, action] : m_actions) {
    addAction(action);  // shortcuts work whether or not a menu or bar shows the action
    const int commandId = id;
    connect(action, &QAction::triggered, this, [this, commandId] { m_router.Route(commandId); });
  }
}

void CMainFrame::CreateMenus() {
  std::vector<QMenu*> open;
  for (const MenuEntry& entry : MainMenu()) {
    switch (entry.kind) {
      case MenuEntryKind::Popup: {
        const QString title = QString::fromLatin1(entry.text);
        QMenu* menu = open.empty() ? menuBar()->addMenu(title) : open.back()->addMenu(title);
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuCommandUI(*menu); });
        open.push_back(menu);
        break;
      }
      case MenuEntryKind::Item:
        open.back()->addAction(ActionById(entry.id));
        break;
      case MenuEntryKind::Separator:
        open.back()->addSeparator();
        break;
      case MenuEntryKind::End:
        open.pop_back();
        break;
    }
  }
}

void CMainFrame::CreateToolBar() {
  m_toolBar = new QToolBar(QStringLiteral("Toolbar"), this);
  m_toolBar->setObjectName(QStringLiteral("toolBar"));
  m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
  m_toolBar->setMovable(true);
  m_toolBar->setFloatable(true);
  m_toolBar->setIconSize(QSize(16, 16));
  addToolBar(Qt::TopToolBarArea, m_toolBar);
  for (int id : ToolbarSlots()) {
    if (id == kToolbarSeparator) {
      m_toolBar->addSeparator();
    } else if (id == cmd::kZoomField) {
      m_zoomField = new QLineEdit(m_toolBar);
      m_zoomField->setFixedWidth(kZoomFieldWidth);
      ApplyPrompt(*m_zoomField, FindCommandText(id)->prompt);
      m_toolBar->addWidget(m_zoomField)->setData(id);
    } else {
      m_toolBar->addAction(ActionById(id));
    }
  }
}

void CMainFrame::CreateStatusBar() {
  m_messagePane = new StatusMessagePane(this);
  statusBar()->addWidget(m_messagePane, 1);
  CreateObserverPane();
  m_lockIndicators = new LockIndicators(*statusBar(), *this);
}

// Between the message pane and the lock indicators, exactly as wide as its
// text; in a narrow window the message pane gives way first.
void CMainFrame::CreateObserverPane() {
  m_observerPane = new QLabel(this);
  m_observerPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_observerPane->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  statusBar()->addPermanentWidget(m_observerPane);
}

void CMainFrame::ShowViewMessage(const QString& text, const QPoint& pointer) {
  m_messagePane->SetViewMessage(text, pointer);
}

QAction* CMainFrame::ActionById(int id) const {
  const auto found = m_actions.find(id);
  return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::UpdateActionCommandUI(QAction& action) {
  ActionCmdUI cmdUI(action);
  m_router.UpdateCommandUI(action.data().toInt(), cmdUI, true);
}

void CMainFrame::UpdateMenuCommandUI(QMenu& menu) {
  for (QAction* action : menu.actions())
    if (!action->isSeparator() && action->menu() == nullptr) UpdateActionCommandUI(*action);
}

void CMainFrame::UpdateIdleCommandUI() {
  for (int id : ToolbarSlots()) {
    if (id == kToolbarSeparator) continue;
    if (id == cmd::kZoomField) {
      LineEditCmdUI cmdUI(*m_zoomField);
      m_router.UpdateCommandUI(id, cmdUI, false);  // an edit is never disabled for want of a handler
    } else {
      UpdateActionCommandUI(*ActionById(id));
    }
  }
  LabelCmdUI observer(*m_observerPane);
  m_router.UpdateCommandUI(cmd::kObserverPane, observer, false);
}

bool CMainFrame::OnCommand(int id) {
  switch (id) {
    case cmd::kAppExit:
      close();
      return true;
    case cmd::kSaveViewAs:
      OnSaveViewAs();
      return true;
    case cmd::kFullScreen:
      setWindowState(windowState() ^ Qt::WindowFullScreen);
      return true;
    case cmd::kEscape:  // leaves full screen; otherwise clears the selection
      if (!isFullScreen()) return m_router.Route(cmd::kClearSelection);
      setWindowState(windowState() & ~Qt::WindowFullScreen);
      return true;
    case cmd::kViewToolbar:
      m_toolBar->setVisible(m_toolBar->isHidden());
      return true;
    case cmd::kViewStatusBar:
      statusBar()->setVisible(statusBar()->isHidden());
      return true;
    default:
      return false;
  }
}

bool CMainFrame::OnUpdateCommandUI(int id, CCmdUI& cmdUI) {
  switch (id) {
    case cmd::kViewToolbar:
      cmdUI.SetCheck(m_toolBar->isHidden() ? 0 : 1);
      return true;
    case cmd::kViewStatusBar:
      cmdUI.SetCheck(statusBar()->isHidden() ? 0 : 1);
      return true;
    case cmd::kFullScreen:
      cmdUI.SetCheck(isFullScreen() ? 1 : 0);
      return true;
    default:
      return false;
  }
}

bool CMainFrame::HandlesCommand(int id) const {
  return id == cmd::kAppExit || id == cmd::kSaveViewAs || id == cmd::kFullScreen || id == cmd::kViewToolbar ||
         id == cmd::kViewStatusBar ||
         (id == cmd::kEscape && (isFullScreen() || m_router.HasHandler(cmd::kClearSelection)));
}

// Suggests the last file saved, else a file in the current directory.
void CMainFrame::OnSaveViewAs() {
  const QString suggested = m_lastSavedFile.isEmpty()
                                ? QDir::current().filePath(QStringLiteral("vantaro-view.png"))
                                : m_lastSavedFile;
  const QString saved = SaveViewAs(*this, m_view->Picture(), suggested, m_askSaveFileName);
  if (!saved.isEmpty()) m_lastSavedFile = saved;
}

bool CMainFrame::event(QEvent* event) {
  // Prompts go into the message pane itself, so that they stand exactly
  // where "Ready" stands.
  if (event->type() == QEvent::StatusTip) {
    m_messagePane->SetPrompt(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ApplyOuterSize();
  // The layout has already placed the view; the correction waits until the
  // window system is done with this change of size.
  QTimer::singleShot(0, this, &CMainFrame::KeepViewWidthEven);
}

// The view's buffers need an even width. A window of its own size gives up
// one pixel of width when the view came out odd; the resize that follows
// settles the view on the even width below. A maximised or full-screen
// window cannot, so a blank column of one pixel at its right edge does.
void CMainFrame::KeepViewWidthEven() {
  const int blank = contentsMargins().right();
  const bool sizeFixed = isMaximized() || isFullScreen();
  const int wanted = sizeFixed ? (centralWidget()->width() + blank) & 1 : 0;
  if (wanted != blank) {
    setContentsMargins(0, 0, wanted, 0);
    layout()->activate();
  }
  if (!sizeFixed && (centralWidget()->width() & 1) != 0) resize(width() - 1, height());
}

// The blank column beside the view is part of the sky; beside the bars it
// stays the window's colour.
void CMainFrame::paintEvent(QPaintEvent* event) {
  QMainWindow::paintEvent(event);
  if (const int blank = contentsMargins().right(); blank != 0) {
    const QRect view = centralWidget()->geometry();
    QPainter(this).fillRect(width() - blank, view.top(), blank, view.height(), Qt::black);
  }
}

// The frame's extents arrive with one of these events, often well after the
// window was first shown.
void CMainFrame::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  ApplyOuterSize();
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  ApplyOuterSize();
}

void CMainFrame::ApplyOuterSize() {
  if (const std::optional<QSize> corrected = m_outerSize.WindowSizeFor(frameGeometry().size(), size()))
    resize(*corrected);
}
