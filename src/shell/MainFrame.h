// CMainFrame: the one top-level window. Menu, dockable toolbar with the zoom
// field in its first slot, status bar with the message pane, the observer
// pane and the lock indicators, and the view as its central widget. Its
// caption stays "Vantaro"; it keeps the view's width even; it handles Exit,
// Save View As, full screen, Esc and the showing and hiding of its bars.
#pragma once

#include <QMainWindow>
#include <map>
#include <utility>

#include "framework/CommandTarget.h"
#include "shell/LockIndicators.h"
#include "framework/OuterSizeCorrection.h"
#include "shell/SaveView.h"
#include "shell/StatusMessagePane.h"

class CommandRouter;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class SkyglassViewWidget;

class CMainFrame : public QMainWindow, public CommandTarget {
  Q_OBJECT

 public:
  // view becomes the central widget; router carries the frame's commands.
  CMainFrame(CommandRouter& router, SkyglassViewWidget* view);

  // Command state of the toolbar's buttons and the zoom field; runs whenever
  // the application goes idle.
  void UpdateIdleCommandUI();
  // Command state of a menu's items; runs before the menu opens.
  void UpdateMenuCommandUI(QMenu& menu);

  // The action of a command id (menu item, toolbar button or accelerator).
  QAction* ActionById(int id) const;
  QToolBar* ToolBar() const { return m_toolBar; }
  QLineEdit* ZoomField() const { return m_zoomField; }
  QLabel* MessagePane() const { return m_messagePane; }
  QLabel* ObserverPane() const { return m_observerPane; }
  LockIndicators* Indicators() const { return m_lockIndicators; }
  // Shows a message from the view in the message pane, pointer being where
  // on the screen the pointer is; empty brings back the idle text.
  void ShowViewMessage(const QString& text, const QPoint& pointer);
  // Replaces the file dialog of Save View As (tests answer it).
  void SetSaveFileNameAsker(SaveFileNameAsker ask) { m_askSaveFileName = std::move(ask); }

  // CommandTarget
  bool OnCommand(int id) override;
  bool OnUpdateCommandUI(int id, CCmdUI& cmdUI) override;
  bool HandlesCommand(int id) const override;

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // No toolbar context menu.
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreateObserverPane();
  void UpdateActionCommandUI(QAction& action);
  void OnSaveViewAs();
  void KeepViewWidthEven();
  // Gives the window its initial outer size once the frame is known.
  void ApplyOuterSize();

  CommandRouter& m_router;
  SkyglassViewWidget* m_view;
  std::map<int, QAction*> m_actions;
  QToolBar* m_toolBar = nullptr;
  QLineEdit* m_zoomField = nullptr;
  StatusMessagePane* m_messagePane = nullptr;
  QLabel* m_observerPane = nullptr;
  LockIndicators* m_lockIndicators = nullptr;
  OuterSizeCorrection m_outerSize;
  SaveFileNameAsker m_askSaveFileName = PngFileNameAsker();
  QString m_lastSavedFile;  // where Save View As wrote last
};
