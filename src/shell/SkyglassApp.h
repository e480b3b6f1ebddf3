// CSkyglassApp: the application object. It creates the document template,
// processes the document file named on the command line (or starts a new
// document, writing why its map could not be used to stderr), hooks the
// idle-time command-state update, and handles the About command.
#pragma once

#include <optional>
#include <string>

#include "framework/CommandTarget.h"
#include "shell/SingleDocTemplate.h"

class CSkyglassApp : public CommandTarget {
 public:
  // mapPath: the map file a new document loads.
  explicit CSkyglassApp(std::string mapPath);

  // Without documentFile, a new document loads the map; with it, that file
  // is opened as the document. False, with the reason in errorText, when the
  // file cannot be opened: the program should end.
  bool InitInstance(const std::optional<std::string>& documentFile, std::string* errorText);

  CSingleDocTemplate& DocTemplate() { return m_template; }
  // Shows the About box modally.
  void OnAppAbout();

  // CommandTarget
  bool OnCommand(int id) override;
  bool OnUpdateCommandUI(int, CCmdUI&) override { return false; }
  bool HandlesCommand(int id) const override;

 private:
  CSingleDocTemplate m_template;
};
