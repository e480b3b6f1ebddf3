// Modal dialogs with data exchange, toolkit-free. A dialog model names its
// layout (template id) and exchanges its members with the controls in one
// function, DoDataExchange, which runs in both directions:
//   - on opening, members are written to the controls (saving == false);
//   - on OK, controls are read into members in exchange order, with range
//     checks; the first failure stops the exchange, shows a message naming
//     the problem, focuses that control and keeps the dialog open.
// The Qt layer implements DataExchange and DialogHost; tests fake them.
#pragma once

#include <string>

class DataExchange {
 public:
  virtual ~DataExchange() = default;

  // True while reading controls into members (OK), false while writing them.
  virtual bool IsSaving() const = 0;
  // True once a conversion or range check has failed; later calls do nothing.
  virtual bool Failed() const = 0;

  // Text of an edit as an integer, a double (shown with "%.15g") or a string.
  virtual void Text(int controlId, int& value) = 0;
  virtual void Text(int controlId, double& value) = 0;
  virtual void Text(int controlId, std::string& value) = 0;
  // A check box as 0 or 1.
  virtual void Check(int controlId, int& value) = 0;
  // Marks controlId as bound to an edit object the dialog drives (selection).
  virtual void Control(int controlId) = 0;

  // Inclusive range checks on the value just read from controlId (saving only).
  virtual void MinMaxInt(int controlId, int value, int minimum, int maximum) = 0;
  virtual void MinMaxDouble(int controlId, double value, double minimum, double maximum) = 0;
};

// What a running dialog offers its model while it is open.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // true: controls to members; false: members to controls (no notifications
  // reach the model while the controls are being written).
  virtual bool UpdateData(bool saveAndValidate) = 0;
  // Selects characters start..end of an edit and scrolls the caret into view.
  virtual void SetEditSelection(int controlId, int start, int end) = 0;
};

class DialogModel {
 public:
  virtual ~DialogModel() = default;
  virtual int TemplateId() const = 0;
  virtual void DoDataExchange(DataExchange& exchange) = 0;
  // The text of an edit changed (by the user, not by UpdateData(false)).
  virtual void OnEditChange(int controlId, DialogHost& host) {
    (void)controlId;
    (void)host;
  }
};
