// The status bar's message pane: a menu or toolbar prompt while one shows,
// else what the view has to say (the star under the pointer), else "Ready".
// A read-out of the view that the pane cuts also shows whole in a tooltip at
// the pointer.
#pragma once

#include <QLabel>
#include <QPoint>

class StatusMessagePane : public QLabel {
  Q_OBJECT

 public:
  explicit StatusMessagePane(QWidget* parent);

  // The prompt of the highlighted menu item or button; empty when none.
  void SetPrompt(const QString& prompt);
  // The view's message, with the pointer's place on the screen; empty when none.
  void SetViewMessage(const QString& text, const QPoint& pointer);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Refresh();
  bool Fits(const QString& text) const;
  void ShowCutMessageAsToolTip();

  QString m_prompt;
  QString m_viewMessage;
  QPoint m_pointer;
  bool m_toolTipShown = false;  // the tooltip showing is this pane's
};
