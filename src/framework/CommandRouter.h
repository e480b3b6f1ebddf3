// Command routing by numeric id along a fixed chain of targets (the active
// view first, then the frame, then the application), and the command-state
// update that enables, checks or labels a menu item, button or control.
#pragma once

#include <vector>

#include "framework/CommandTarget.h"

// A CCmdUI that remembers whether an update handler set the enabled state.
class TrackingCmdUI : public CCmdUI {
 public:
  void Enable(bool enabled) final {
    m_enableChanged = true;
    ApplyEnabled(enabled);
  }
  bool EnableChanged() const { return m_enableChanged; }

 protected:
  virtual void ApplyEnabled(bool enabled) = 0;

 private:
  bool m_enableChanged = false;
};

class CommandRouter {
 public:
  void AddTarget(CommandTarget& target) { m_targets.push_back(&target); }

  // Offers the command to each target in turn; false when nobody handles it.
  bool Route(int id);
  bool HasHandler(int id) const;
  // Runs the first update handler found for id. When none set the enabled
  // state and disableIfNoHandler is true, the item is enabled exactly when
  // some target handles the command.
  void UpdateCommandUI(int id, TrackingCmdUI& cmdUI, bool disableIfNoHandler);

 private:
  std::vector<CommandTarget*> m_targets;
};
