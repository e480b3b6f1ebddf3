// What the message pane shows, and the tooltip for a read-out that it cuts.
#include "shell/StatusMessagePane.h"

#include <QToolTip>

#include "shell/CommandTable.h"

StatusMessagePane::StatusMessagePane(QWidget* parent) : QLabel(QString::fromLatin1(kIdleMessage), parent) {
  // The pane gives way to the panes beside it in a narrow window; what does
  // not fit is cut.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusMessagePane::SetPrompt(const QString& prompt) {
  m_prompt = prompt;
  Refresh();
}

void StatusMessagePane::SetViewMessage(const QString& text, const QPoint& pointer) {
  m_viewMessage = text;
  m_pointer = pointer;
  Refresh();
}

void StatusMessagePane::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ShowCutMessageAsToolTip();
}

void StatusMessagePane::Refresh() {
  const QString& text = m_prompt.isEmpty() ? m_viewMessage : m_prompt;
  setText(text.isEmpty() ? QString::fromLatin1(kIdleMessage) : text);
  ShowCutMessageAsToolTip();
}

bool StatusMessagePane::Fits(const QString& text) const {
  return fontMetrics().horizontalAdvance(text) <= contentsRect().width() - 2 * margin();
}

// Only the view's message gets the tooltip, and only while the pane shows it.
void StatusMessagePane::ShowCutMessageAsToolTip() {
  if (m_prompt.isEmpty() && !m_viewMessage.isEmpty() && !Fits(m_viewMessage)) {
    QToolTip::showText(m_pointer, m_viewMessage, this);
    m_toolTipShown = true;
  } else if (m_toolTipShown) {
    QToolTip::hideText();
    m_toolTipShown = false;
  }
}
