// Command-state updates applied to QActions.
#include "framework/QtCmdUI.h"

#include <QAction>

#include "framework/Cp1252.h"

void ActionCmdUI::ApplyEnabled(bool enabled) { m_action.setEnabled(enabled); }

void ActionCmdUI::SetCheck(int checked) {
  m_action.setCheckable(true);
  m_action.setChecked(checked != 0);
}

void ActionCmdUI::SetText(std::string_view text) { m_action.setText(DecodeCp1252(text)); }
