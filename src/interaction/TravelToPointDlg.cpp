// The travel-to-point dialog's data exchange: three numbers, any value.
#include "interaction/TravelToPointDlg.h"

#include "interaction/CommandIds.h"

int CTravelToPointDlg::TemplateId() const { return dlg::kTravelToPoint; }

void CTravelToPointDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Text(ctl::kEditX, m_dX);
  exchange.Text(ctl::kEditY, m_dY);
  exchange.Text(ctl::kEditZ, m_dZ);
}
