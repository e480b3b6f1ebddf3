// CCmdUI for the Qt elements that show a command: a QAction (menu item or
// toolbar button), the toolbar's zoom field and the status bar's observer pane.
#pragma once

#include <QLabel>
#include <QLineEdit>

#include "framework/CommandRouter.h"
#include "framework/Cp1252.h"

class QAction;

class ActionCmdUI : public TrackingCmdUI {
 public:
  explicit ActionCmdUI(QAction& action) : m_action(action) {}
  void SetCheck(int checked) override;
  void SetText(std::string_view text) override;

 private:
  void ApplyEnabled(bool enabled) override;
  QAction& m_action;
};

// A widget that shows a command's text: the toolbar's zoom field (QLineEdit)
// or a status bar pane (QLabel). It can be disabled but not checked.
template <typename TextWidget>
class TextCmdUI : public TrackingCmdUI {
 public:
  explicit TextCmdUI(TextWidget& widget) : m_widget(widget) {}
  void SetCheck(int) override {}
  // Replaces the text only when it differs, so an unchanged read-out keeps
  // an edit's caret and selection and costs a label no new layout.
  void SetText(std::string_view text) override {
    const QString decoded = DecodeCp1252(text);
    if (m_widget.text() != decoded) m_widget.setText(decoded);
  }

 private:
  void ApplyEnabled(bool enabled) override { m_widget.setEnabled(enabled); }
  TextWidget& m_widget;
};

using LineEditCmdUI = TextCmdUI<QLineEdit>;
using LabelCmdUI = TextCmdUI<QLabel>;
