// Command-state updates applied to QActions and the toolbar's line edit.
#include "shell/QtCmdUI.h"

#include <QAction>
#include <QLineEdit>

#include "shell/Cp1252.h"

void ActionCmdUI::ApplyEnabled(bool enabled) { m_action.setEnabled(enabled); }

void ActionCmdUI::SetCheck(int checked) {
  m_action.setCheckable(true);
  m_action.setChecked(checked != 0);
}

void ActionCmdUI::SetText(std::string_view text) { m_action.setText(DecodeCp1252(text)); }

void LineEditCmdUI::ApplyEnabled(bool enabled) { m_edit.setEnabled(enabled); }

void LineEditCmdUI::SetText(std::string_view text) {
  const QString decoded = DecodeCp1252(text);
  if (m_edit.text() != decoded) m_edit.setText(decoded);
}
