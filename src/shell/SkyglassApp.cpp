// Start-up of the document, frame and view; idle updates; the About box.
#include "shell/SkyglassApp.h"

#include <QAbstractEventDispatcher>
#include <iostream>
#include <utility>

#include "interaction/CommandIds.h"
#include "shell/DdxDialog.h"
#include "shell/MainFrame.h"

namespace {

// The About box exchanges no data.
class CAboutDlg : public DialogModel {
 public:
  int TemplateId() const override { return dlg::kAbout; }
  void DoDataExchange(DataExchange&) override {}
};

}  // namespace

CSkyglassApp::CSkyglassApp(std::string mapPath) : m_template(std::move(mapPath), *this) {}

bool CSkyglassApp::InitInstance(const std::optional<std::string>& documentFile, std::string* errorText) {
  if (documentFile) {
    if (!m_template.OpenDocumentFile(*documentFile, errorText)) return false;
  } else {
    m_template.OpenNewDocument();
    // The window shows the reason under the no-map message; a terminal gets it too.
    if (const std::string& failure = m_template.Document()->MapFailure(); !failure.empty())
      std::cerr << "vantaro: " << failure << "\n";
  }
  CMainFrame* frame = m_template.Frame();
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, frame,
                   [frame] { frame->UpdateIdleCommandUI(); });
  return true;
}

void CSkyglassApp::OnAppAbout() {
  CAboutDlg about;
  DdxDialog dialog(about, m_template.Frame());
  dialog.exec();
}

bool CSkyglassApp::OnCommand(int id) {
  if (id != cmd::kAppAbout) return false;
  OnAppAbout();
  return true;
}

bool CSkyglassApp::HandlesCommand(int id) const { return id == cmd::kAppAbout; }
