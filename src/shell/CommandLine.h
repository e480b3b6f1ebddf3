// The program's command line: run the window (optionally on a document file
// or with a given map), render one frame headless to a PNG, or print the
// usage or the version. Parsing is plain C++, so it is testable without Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/RenderOptions.h"

enum class RunMode { Window, Render, Help, Version };

struct CommandLine {
  RunMode mode = RunMode::Window;
  std::optional<std::string> mapPath;       // --map
  std::optional<std::string> documentFile;  // the positional file name
  RenderOptions render;                     // with --render
};

struct CommandLineResult {
  CommandLine commandLine;
  std::string error;  // empty when the command line is valid
};

// args: the arguments after the program name.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();
std::string VersionText();
