// Data exchange of the two star-name dialogs and their change notification.
#include "interaction/StarNameDlg.h"

#include "interaction/CommandIds.h"
#include "interaction/StarNameCompleter.h"

void CStarNameDlg::OnEditChange(int controlId, DialogHost& host) {
  if (controlId == ctl::kEditName) OnChangeName(host);
}

void CStarNameDlg::OnChangeName(DialogHost& host) { StarNameCompleter(*this, host); }

void CStarNameDlg::BindNameEdit(DataExchange& exchange) {
  exchange.Control(ctl::kEditName);
  m_editName.controlId = ctl::kEditName;
}

int CTravelToStarDlg::TemplateId() const { return dlg::kTravelToStar; }

void CTravelToStarDlg::DoDataExchange(DataExchange& exchange) {
  BindNameEdit(exchange);
  exchange.Text(ctl::kEditName, m_strName);
  exchange.Check(ctl::kCheckDesignations, m_bAlsoDesignations);
}

int CViewToStarDlg::TemplateId() const { return dlg::kViewToStar; }

void CViewToStarDlg::DoDataExchange(DataExchange& exchange) {
  BindNameEdit(exchange);
  exchange.Check(ctl::kCheckDesignations, m_bAlsoDesignations);
  exchange.Text(ctl::kEditName, m_strName);
}
