// Data exchange of the two star-name dialogs and their change notification,
// which runs the name completion and shows its result.
#include "interaction/StarNameDlg.h"

#include "interaction/CommandIds.h"
#include "interaction/StarNameCompleter.h"

void CStarNameDlg::OnEditChange(int controlId, DialogHost& host) {
  if (controlId == ctl::kEditName) OnChangeName(host);
}

void CStarNameDlg::OnChangeName(DialogHost& host) {
  if (!host.UpdateData(true)) return;
  std::string& name = NameText();
  const NameCompletion completion =
      CompleteStarName(name, m_strPrevious, m_pStars, m_nStars, AlsoDesignations() != 0);
  if (completion.outcome == NameCompletion::NotLonger) return;
  if (completion.outcome == NameCompletion::NoStar) {
    m_bFound = 0;  // the text stays as typed
    return;
  }
  host.UpdateData(false);  // shows the full name; raises no change notification
  host.SetEditSelection(m_editName.controlId, static_cast<int>(completion.typedLength),
                        static_cast<int>(name.size()));
  const StarEntry& star = m_pStars[completion.star];
  m_dStarX = star.vPos.x;
  m_dStarY = star.vPos.y;
  m_dStarZ = star.vPos.z;
  m_bFound = 1;
}

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
