// The layouts of the application's dialogs, by template id: caption, rows of
// controls with their ids, and the buttons. The one dialog class builds every
// dialog from these rows.
#pragma once

#include <span>

enum class DialogRowKind {
  Edit,      // label, single-line edit `id`, optional trailing label
  Check,     // check box `id` with the label as its text
  IconText,  // the application icon beside a static text (no mnemonics)
};

struct DialogRow {
  DialogRowKind kind;
  const char* label;
  int id;
  const char* trailing;
};

enum class DialogButtons { OkCancel, CancelOk, OkOnly };

struct DialogLayout {
  int templateId;
  const char* caption;
  std::span<const DialogRow> rows;
  DialogButtons buttons;
};

// nullptr for an unknown template id.
const DialogLayout* FindDialogLayout(int templateId);
