// Creation and destruction of the document, frame and view.
#include "shell/SingleDocTemplate.h"

#include <utility>

#include "catalog/MapFile.h"
#include "shell/MainFrame.h"
#include "shell/SkyglassViewWidget.h"

CSingleDocTemplate::CSingleDocTemplate(std::string mapPath, CommandTarget& application)
    : m_mapPath(std::move(mapPath)), m_application(application) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  m_frame.reset();  // the frame and, with it, the view
  m_view = nullptr;
  m_document.reset();
}

void CSingleDocTemplate::CreateDocumentAndFrame() {
  m_document = std::make_unique<CSkyglassDoc>(m_mapPath);
  m_view = new SkyglassViewWidget(*m_document);
  m_frame = std::make_unique<CMainFrame>(m_router, m_view);
  QObject::connect(m_view, &SkyglassViewWidget::starReadoutChanged, m_frame.get(),
                   &CMainFrame::ShowViewMessage);
  // The document handles no commands, so the route runs view, frame, application.
  m_router.AddTarget(*m_view);
  m_router.AddTarget(*m_frame);
  m_router.AddTarget(m_application);
}

void CSingleDocTemplate::ShowFrame() {
  m_frame->show();
  m_view->setFocus(Qt::OtherFocusReason);
}

void CSingleDocTemplate::OpenNewDocument() {
  CreateDocumentAndFrame();
  m_document->OnNewDocument();
  ShowFrame();
}

bool CSingleDocTemplate::OpenDocumentFile(const std::string& path, std::string* errorText) {
  CreateDocumentAndFrame();
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason)) {
    m_frame.reset();
    m_view = nullptr;
    m_document.reset();
    if (errorText != nullptr) *errorText = "cannot open \"" + path + "\": " + reason;
    return false;
  }
  LoadArchive archive(file);
  m_document->Serialize(archive);
  ShowFrame();
  return true;
}
