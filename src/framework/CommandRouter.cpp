// Command routing along the chain of targets.
#include "framework/CommandRouter.h"

bool CommandRouter::Route(int id) {
  for (CommandTarget* target : m_targets)
    if (target->OnCommand(id)) return true;
  return false;
}

bool CommandRouter::HasHandler(int id) const {
  for (const CommandTarget* target : m_targets)
    if (target->HandlesCommand(id)) return true;
  return false;
}

void CommandRouter::UpdateCommandUI(int id, TrackingCmdUI& cmdUI, bool disableIfNoHandler) {
  for (CommandTarget* target : m_targets)
    if (target->OnUpdateCommandUI(id, cmdUI)) break;
  if (disableIfNoHandler && !cmdUI.EnableChanged() && !HasHandler(id)) cmdUI.Enable(false);
}
