// The Options dialog's data exchange: the tolerance as a whole number of
// milliseconds from 0 to 2000.
#include "interaction/OptionsDlg.h"

#include "interaction/CommandIds.h"

int COptionsDlg::TemplateId() const { return dlg::kOptions; }

void COptionsDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Text(ctl::kEditTolerance, m_nTolerance);
  exchange.MinMaxInt(ctl::kEditTolerance, m_nTolerance, 0, 2000);
}
