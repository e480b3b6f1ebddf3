// The layouts of the application's dialogs, by template id: caption, rows of
// controls with their ids, and the buttons. The one dialog class builds every
// dialog from these rows.
#pragma once

#include <span>

#include "framework/DialogUnits.h"

enum class DialogRowKind {
  Edit,   // label, single-line edit `id`, optional trailing label
  Check,  // check box `id` with the label as its text
};

struct DialogRow {
  DialogRowKind kind;
  const char* label;
  int id;
  const char* trailing;
};

enum class DialogButtons { OkCancel, CancelOk };

// A dialog placed exactly as its template says: the application icon beside
// a static text (no mnemonics) and an OK button, and the client size. The
// icon keeps its own size; only its position counts.
struct DialogPlacement {
  const char* text;
  int cx;
  int cy;
  DluRect icon;
  DluRect textRect;
  DluRect ok;
};

// A dialog is either laid out in rows with OK and Cancel below them, or,
// when placement is set, placed as its template says (rows and buttons unused).
struct DialogLayout {
  int templateId;
  const char* caption;
  std::span<const DialogRow> rows;
  DialogButtons buttons;
  const DialogPlacement* placement = nullptr;
};

// nullptr for an unknown template id.
const DialogLayout* FindDialogLayout(int templateId);
