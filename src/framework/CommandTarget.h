// A link of the command route: the active view, the frame and the
// application each answer commands and command-state updates by id.
#pragma once

#include "command/CommandUI.h"

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  // Runs the command and returns true when this target handles it.
  virtual bool OnCommand(int id) = 0;
  // Runs the command's update handler and returns true when this target has one.
  virtual bool OnUpdateCommandUI(int id, CCmdUI& cmdUI) = 0;
  // True when OnCommand would handle the id (nothing is run).
  virtual bool HandlesCommand(int id) const = 0;
};
