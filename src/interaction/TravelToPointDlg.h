// CTravelToPointDlg: "Enter Coordinates", the observer's new X/Y/Z in light years.
#pragma once

#include "interaction/DialogModel.h"

class CTravelToPointDlg : public DialogModel {
 public:
  double m_dX = 0.0;
  double m_dY = 0.0;
  double m_dZ = 0.0;

  int TemplateId() const override;
  void DoDataExchange(DataExchange& exchange) override;
};
