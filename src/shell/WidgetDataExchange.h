// DataExchange over a dialog's Qt controls, looked up by control id: line
// edits for numbers and text, check boxes for flags. Reading stops at the
// first failed conversion or range check and remembers which control failed
// and why; the dialog reports it.
#pragma once

#include <QString>
#include <map>

#include "interaction/DialogModel.h"

class QWidget;

struct ExchangeFailure {
  int controlId = 0;
  QString message;
};

class WidgetDataExchange : public DataExchange {
 public:
  WidgetDataExchange(bool saving, const std::map<int, QWidget*>& controls)
      : m_saving(saving), m_controls(controls) {}

  bool IsSaving() const override { return m_saving; }
  bool Failed() const override { return m_failed; }
  const ExchangeFailure& Failure() const { return m_failure; }

  void Text(int controlId, int& value) override;
  void Text(int controlId, double& value) override;
  void Text(int controlId, std::string& value) override;
  void Check(int controlId, int& value) override;
  void Control(int controlId) override;
  void MinMaxInt(int controlId, int value, int minimum, int maximum) override;
  void MinMaxDouble(int controlId, double value, double minimum, double maximum) override;

 private:
  template <typename Widget>
  Widget* Find(int controlId) const;
  // Reads or writes an edit's text through a parse and a format function.
  template <typename T, typename Parse, typename Format>
  void NumberText(int controlId, T& value, Parse parse, Format format, const char* problem);
  void Fail(int controlId, const QString& message);

  bool m_saving;
  const std::map<int, QWidget*>& m_controls;
  bool m_failed = false;
  ExchangeFailure m_failure;
};
