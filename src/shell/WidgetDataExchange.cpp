// Data exchange with line edits and check boxes. Numbers use the shared edit
// text forms: "%.15g" for doubles, plain decimal for integers.
#include "shell/WidgetDataExchange.h"

#include <QCheckBox>
#include <QLineEdit>

#include "interaction/EditText.h"
#include "framework/Cp1252.h"

template <typename Widget>
Widget* WidgetDataExchange::Find(int controlId) const {
  const auto found = m_controls.find(controlId);
  return found == m_controls.end() ? nullptr : qobject_cast<Widget*>(found->second);
}

void WidgetDataExchange::Fail(int controlId, const QString& message) {
  m_failed = true;
  m_failure = {controlId, message};
}

template <typename T, typename Parse, typename Format>
void WidgetDataExchange::NumberText(int controlId, T& value, Parse parse, Format format,
                                    const char* problem) {
  QLineEdit* edit = Find<QLineEdit>(controlId);
  if (m_failed || edit == nullptr) return;
  if (!m_saving) {
    edit->setText(QString::fromStdString(format(value)));
    return;
  }
  const auto parsed = parse(EncodeCp1252(edit->text()));
  if (parsed)
    value = *parsed;
  else
    Fail(controlId, QString::fromLatin1(problem));
}

void WidgetDataExchange::Text(int controlId, int& value) {
  NumberText(controlId, value, edit_text::ParseInt, edit_text::FormatInt, "Please enter an integer.");
}

void WidgetDataExchange::Text(int controlId, double& value) {
  NumberText(controlId, value, edit_text::ParseDouble, edit_text::FormatDouble, "Please enter a number.");
}

void WidgetDataExchange::Text(int controlId, std::string& value) {
  QLineEdit* edit = Find<QLineEdit>(controlId);
  if (m_failed || edit == nullptr) return;
  if (m_saving)
    value = EncodeCp1252(edit->text());
  else
    edit->setText(DecodeCp1252(value));
}

void WidgetDataExchange::Check(int controlId, int& value) {
  QCheckBox* box = Find<QCheckBox>(controlId);
  if (m_failed || box == nullptr) return;
  if (m_saving)
    value = box->isChecked() ? 1 : 0;
  else
    box->setChecked(value != 0);
}

// The edit is reached by id whenever the dialog needs it; nothing to bind.
void WidgetDataExchange::Control(int) {}

void WidgetDataExchange::MinMaxInt(int controlId, int value, int minimum, int maximum) {
  if (!m_saving || m_failed || (value >= minimum && value <= maximum)) return;
  Fail(controlId, QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum));
}

void WidgetDataExchange::MinMaxDouble(int controlId, double value, double minimum, double maximum) {
  if (!m_saving || m_failed || (value >= minimum && value <= maximum)) return;
  Fail(controlId, QStringLiteral("Please enter a number between %1 and %2.")
                      .arg(QString::fromStdString(edit_text::FormatDouble(minimum)),
                           QString::fromStdString(edit_text::FormatDouble(maximum))));
}
