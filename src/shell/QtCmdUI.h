// CCmdUI for the Qt elements that show a command: a QAction (menu item or
// toolbar button) and a QLineEdit on the toolbar (the zoom field).
#pragma once

#include "shell/CommandRouter.h"

class QAction;
class QLineEdit;

class ActionCmdUI : public TrackingCmdUI {
 public:
  explicit ActionCmdUI(QAction& action) : m_action(action) {}
  void SetCheck(int checked) override;
  void SetText(std::string_view text) override;

 private:
  void ApplyEnabled(bool enabled) override;
  QAction& m_action;
};

class LineEditCmdUI : public TrackingCmdUI {
 public:
  explicit LineEditCmdUI(QLineEdit& edit) : m_edit(edit) {}
  void SetCheck(int) override {}  // an edit has no check state
  // Replaces the text only when it differs, so an unchanged read-out keeps
  // the caret and selection.
  void SetText(std::string_view text) override;

 private:
  void ApplyEnabled(bool enabled) override;
  QLineEdit& m_edit;
};
