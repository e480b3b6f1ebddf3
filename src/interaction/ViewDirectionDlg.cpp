// The view-direction dialog's data exchange: each angle is read, then checked.
#include "interaction/ViewDirectionDlg.h"

#include "interaction/CommandIds.h"

int CViewDirectionDlg::TemplateId() const { return dlg::kViewDirection; }

void CViewDirectionDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Text(ctl::kEditU, m_dU);
  exchange.MinMaxDouble(ctl::kEditU, m_dU, 0.0, 360.0);
  exchange.Text(ctl::kEditV, m_dV);
  exchange.MinMaxDouble(ctl::kEditV, m_dV, -90.0, 90.0);
}
