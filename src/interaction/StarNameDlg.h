// The two "Enter Name" dialogs that pick a star by name: CTravelToStarDlg
// (travel there) and CViewToStarDlg (look at it). Both complete the name
// while it is typed (CompleteStarName) and remember the star found last.
// They differ only in template, in the order of the name and check box
// members, and in the order in which they exchange them.
#pragma once

#include <string>

#include "catalog/StarEntry.h"
#include "interaction/DialogModel.h"

// An edit control bound to the dialog, which drives its selection.
struct EditControlBinding {
  int controlId = 0;
};

class CStarNameDlg : public DialogModel {
 public:
  int m_bFound = 0;       // 1 after a completion found a star, 0 after one found none
  double m_dStarX = 0.0;  // position of the star found last; read only while m_bFound is 1
  double m_dStarY = 0.0;
  double m_dStarZ = 0.0;
  int m_nStars = 0;                     // the catalogue's records, handed in by the view;
  const StarEntry* m_pStars = nullptr;  // borrowed while the dialog is open
  std::string m_strPrevious;            // the name edit's text as the completion last read it
  EditControlBinding m_editName;

  // The name edit's text and the designations check box, declared by each
  // dialog in its own member order.
  virtual std::string& NameText() = 0;
  virtual int& AlsoDesignations() = 0;

  // EN_CHANGE of the name edit: runs the completion and shows the completed
  // name with its tail selected.
  void OnEditChange(int controlId, DialogHost& host) override;
  void OnChangeName(DialogHost& host);

 protected:
  void BindNameEdit(DataExchange& exchange);
};

class CTravelToStarDlg final : public CStarNameDlg {
 public:
  std::string m_strName;
  int m_bAlsoDesignations = 0;

  int TemplateId() const override;
  void DoDataExchange(DataExchange& exchange) override;  // edit binding, name, check box
  std::string& NameText() override { return m_strName; }
  int& AlsoDesignations() override { return m_bAlsoDesignations; }
};

class CViewToStarDlg final : public CStarNameDlg {
 public:
  int m_bAlsoDesignations = 0;
  std::string m_strName;

  int TemplateId() const override;
  void DoDataExchange(DataExchange& exchange) override;  // edit binding, check box, name
  std::string& NameText() override { return m_strName; }
  int& AlsoDesignations() override { return m_bAlsoDesignations; }
};
