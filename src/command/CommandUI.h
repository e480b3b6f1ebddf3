// CCmdUI: what a command-state update handler may set on the menu item,
// toolbar button or toolbar control that shows a command.
#pragma once

#include <string_view>

class CCmdUI {
 public:
  virtual ~CCmdUI() = default;
  virtual void Enable(bool enabled) = 0;
  virtual void SetCheck(int checked) = 0;
  virtual void SetText(std::string_view text) = 0;
};
