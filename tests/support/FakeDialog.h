// A dialog host for tests: keeps each control's state as text (edits) or
// 0/1 (check boxes), converts with the same edit-text helpers as the real
// dialogs, and lets a test type, delete, select, tick and press OK. The model
// gets change notifications only for what the "user" does, never for what
// UpdateData(false) writes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "interaction/DialogModel.h"
#include "interaction/EditText.h"

class FakeDataExchange : public DataExchange {
 public:
  FakeDataExchange(std::map<int, std::string>& edits, std::map<int, int>& checks, bool saving)
      : m_edits(edits), m_checks(checks), m_saving(saving) {}

  int failedControl = 0;
  std::string message;
  std::vector<std::string> calls;  // "Text 1020", "MinMaxDouble 1020", ... in order

  bool IsSaving() const override { return m_saving; }
  bool Failed() const override { return failedControl != 0; }

  void Text(int id, int& value) override {
    ExchangeNumber(id, value, "Please enter an integer.", edit_text::ParseInt, edit_text::FormatInt);
  }
  void Text(int id, double& value) override {
    ExchangeNumber(id, value, "Please enter a number.", edit_text::ParseDouble, edit_text::FormatDouble);
  }
  void Text(int id, std::string& value) override {
    if (!Begin("Text", id)) return;
    if (m_saving)
      value = m_edits[id];
    else
      m_edits[id] = value;
  }
  void Check(int id, int& value) override {
    if (!Begin("Check", id)) return;
    if (m_saving)
      value = m_checks[id];
    else
      m_checks[id] = value;
  }
  void Control(int id) override { Begin("Control", id); }
  void MinMaxInt(int id, int value, int minimum, int maximum) override {
    if (Begin("MinMaxInt", id) && m_saving && (value < minimum || value > maximum))
      Fail(id, "Please enter an integer between " + std::to_string(minimum) + " and " +
                   std::to_string(maximum) + ".");
  }
  void MinMaxDouble(int id, double value, double minimum, double maximum) override {
    if (Begin("MinMaxDouble", id) && m_saving && (value < minimum || value > maximum))
      Fail(id, "Please enter a number between " + edit_text::FormatDouble(minimum) + " and " +
                   edit_text::FormatDouble(maximum) + ".");
  }

 private:
  bool Begin(const char* what, int id) {
    calls.push_back(std::string(what) + " " + std::to_string(id));
    return !Failed();
  }
  void Fail(int id, std::string text) {
    failedControl = id;
    message = std::move(text);
  }
  template <typename T, typename Parse, typename Format>
  void ExchangeNumber(int id, T& value, const char* refusal, Parse parse, Format format) {
    if (!Begin("Text", id)) return;
    if (!m_saving) {
      m_edits[id] = format(value);
      return;
    }
    if (const auto parsed = parse(m_edits[id]))
      value = *parsed;
    else
      Fail(id, refusal);
  }

  std::map<int, std::string>& m_edits;
  std::map<int, int>& m_checks;
  bool m_saving;
};

class FakeDialogHost : public DialogHost {
 public:
  struct Selection {
    int start = 0;
    int end = 0;
  };

  explicit FakeDialogHost(DialogModel& model) : m_model(model) {}

  std::map<int, std::string> edits;
  std::map<int, int> checks;
  std::map<int, Selection> selections;
  int refusedControl = 0;  // the control of the last refused OK, else 0
  std::string refusal;
  std::vector<std::string> lastExchange;  // the calls of the last data exchange
  int notifications = 0;                  // change notifications delivered to the model

  // Opening writes the members into the controls.
  void Open() { UpdateData(false); }
  // OK: true when every conversion and check passed (the dialog closes).
  bool PressOk() { return UpdateData(true); }

  bool UpdateData(bool saveAndValidate) override {
    FakeDataExchange exchange(edits, checks, saveAndValidate);
    m_model.DoDataExchange(exchange);
    lastExchange = exchange.calls;
    if (!saveAndValidate) {
      for (auto& [id, text] : edits) selections[id] = {Length(text), Length(text)};  // caret at the end
      return true;
    }
    refusedControl = exchange.failedControl;
    refusal = exchange.message;
    return !exchange.Failed();
  }
  void SetEditSelection(int controlId, int start, int end) override { selections[controlId] = {start, end}; }

  // The user replaces the selection by each character in turn.
  void Type(int id, const std::string& characters) {
    for (char c : characters) {
      const Selection s = selections[id];
      edits[id].replace(static_cast<size_t>(s.start), static_cast<size_t>(s.end - s.start), 1, c);
      selections[id] = {s.start + 1, s.start + 1};
      Notify(id);
    }
  }
  // Deletes the selection, or the character before the caret.
  void Backspace(int id) {
    Selection s = selections[id];
    if (s.start == s.end) {
      if (s.start == 0) return;
      --s.start;
    }
    edits[id].erase(static_cast<size_t>(s.start), static_cast<size_t>(s.end - s.start));
    selections[id] = {s.start, s.start};
    Notify(id);
  }
  void SelectAll(int id) { selections[id] = {0, Length(edits[id])}; }
  // Replaces the whole text at once, as a paste over everything does.
  void Replace(int id, const std::string& text) {
    edits[id] = text;
    selections[id] = {Length(text), Length(text)};
    Notify(id);
  }
  void SetCheck(int id, int value) { checks[id] = value; }
  std::string SelectedText(int id) {
    const Selection s = selections[id];
    return edits[id].substr(static_cast<size_t>(s.start), static_cast<size_t>(s.end - s.start));
  }

 private:
  static int Length(const std::string& text) { return static_cast<int>(text.size()); }
  void Notify(int id) {
    ++notifications;
    m_model.OnEditChange(id, *this);
  }

  DialogModel& m_model;
};
