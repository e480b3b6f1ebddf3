// The application's command vocabulary as data: every command's id, menu text
// and prompt, the main menu's structure, the accelerator table, the toolbar's
// slots and the status bar's panes. The frame builds its actions, menus,
// toolbar and status bar from these tables.
#pragma once

#include <span>
#include <string_view>

// A command shown by a menu item, a toolbar slot or both. A prompt holds the
// status-bar text and the tooltip, separated by a newline.
struct CommandText {
  int id;
  const char* menuText;  // "" for a command no menu shows; text after '\t' is the shown shortcut
  const char* prompt;
};

enum class MenuEntryKind {
  Popup,  // opens a (sub)menu titled text; entries up to its End belong to it
  Item,   // the command id
  Separator,
  End,
};

struct MenuEntry {
  MenuEntryKind kind;
  int id;
  const char* text;
};

struct Accelerator {
  const char* keys;  // QKeySequence portable text
  int id;
};

// Toolbar slots hold a command id; 0 marks a separator.
inline constexpr int kToolbarSeparator = 0;

struct StatusIndicator {
  int id;
  const char* text;
};

inline constexpr const char* kAppTitle = "Vantaro";
inline constexpr const char* kIdleMessage = "Ready";
inline constexpr int kZoomFieldWidth = 60;

std::span<const CommandText> CommandTexts();
const CommandText* FindCommandText(int id);
std::span<const MenuEntry> MainMenu();
std::span<const Accelerator> Accelerators();
std::span<const int> ToolbarSlots();
std::span<const StatusIndicator> StatusIndicators();

// The two halves of a prompt: what the status bar shows, and the tooltip.
struct PromptParts {
  std::string_view status;
  std::string_view tooltip;
};
PromptParts SplitPrompt(std::string_view prompt);
