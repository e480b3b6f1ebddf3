// COptionsDlg: the Options dialog, which edits the magnitude time tolerance.
#pragma once

#include "interaction/DialogModel.h"

class COptionsDlg : public DialogModel {
 public:
  int m_nTolerance = 0;  // milliseconds, 0 to 2000

  int TemplateId() const override;
  void DoDataExchange(DataExchange& exchange) override;
};
