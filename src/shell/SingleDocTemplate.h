// The single-document template: joins the document, the main frame and the
// view, and routes commands through the view, the frame and the
// application. A new document is constructed, its frame and view created,
// its map loaded, and only then is the window shown. At destruction the
// frame and view go first, then the document.
#pragma once

#include <memory>
#include <string>

#include "catalog/SkyglassDoc.h"
#include "framework/CommandRouter.h"

class CMainFrame;
class SkyglassViewWidget;

class CSingleDocTemplate {
 public:
  // mapPath: the map a new document loads; application: the route's last link.
  CSingleDocTemplate(std::string mapPath, CommandTarget& application);
  ~CSingleDocTemplate();

  // Call one of these two, once.
  // A new document that loads the map. Always succeeds.
  void OpenNewDocument();
  // A document opened from a file, read-only; nothing is read from it and no
  // map is loaded. False, with the reason in errorText, when the file cannot
  // be opened; then no window exists.
  bool OpenDocumentFile(const std::string& path, std::string* errorText);

  CSkyglassDoc* Document() const { return m_document.get(); }
  CMainFrame* Frame() const { return m_frame.get(); }
  SkyglassViewWidget* View() const { return m_view; }
  CommandRouter& Router() { return m_router; }

 private:
  void CreateDocumentAndFrame();
  void ShowFrame();

  std::string m_mapPath;
  CommandTarget& m_application;
  CommandRouter m_router;
  std::unique_ptr<CSkyglassDoc> m_document;
  std::unique_ptr<CMainFrame> m_frame;  // owns the view widget
  SkyglassViewWidget* m_view = nullptr;
};
