// CViewDirectionDlg: "Enter Coordinates", the line of sight as two angles in
// degrees, U the yaw (0 to 360) and V the pitch (-90 to 90).
#pragma once

#include "interaction/DialogModel.h"

class CViewDirectionDlg : public DialogModel {
 public:
  double m_dU = 0.0;
  double m_dV = 0.0;

  int TemplateId() const override;
  void DoDataExchange(DataExchange& exchange) override;
};
