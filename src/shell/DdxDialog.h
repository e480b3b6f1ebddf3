// The one modal dialog class: built from the layout of its model's template
// id, it writes the model's members to the controls when it opens, reads and
// checks them on OK (staying open with a message and the focus on the
// offending control when a check fails), reads nothing on Cancel, and passes
// the edits' change notifications to the model except while it writes them.
// It opens at a fixed size with a caption and a close button only, its first
// edit focused with its text selected; Enter presses the focused button, or
// OK when no button has the focus.
#pragma once

#include <QDialog>
#include <map>

#include "interaction/DialogModel.h"

#include "shell/DialogLayouts.h"

class QGridLayout;
class QHBoxLayout;
class QPushButton;

class DdxDialog : public QDialog, public DialogHost {
  Q_OBJECT

 public:
  DdxDialog(DialogModel& model, QWidget* parent);

  // DialogHost
  bool UpdateData(bool saveAndValidate) override;
  void SetEditSelection(int controlId, int start, int end) override;

  // The control with this id (edits, check boxes, and 1 and 2 for OK and
  // Cancel); nullptr when the dialog has none.
  QWidget* ControlById(int controlId) const;

  // OK: closes only when every value reads and passes its checks.
  void accept() override;

 private:
  // An unknown template gives a dialog with only OK and Cancel.
  void BuildControls(const DialogLayout* layout);
  void PlaceControls(const DialogPlacement& placement);
  void AddRow(QGridLayout& grid, int row, const DialogRow& entry);
  QPushButton* CreateOkButton();
  QHBoxLayout* CreateButtons(DialogButtons order);
  // Wide enough for the title bar to show the whole caption.
  int CaptionWidth() const;
  void SelectFirstEdit();
  void ReportFailure(int controlId, const QString& message);

  DialogModel& m_model;
  std::map<int, QWidget*> m_controls;
  bool m_writingControls = false;
};
