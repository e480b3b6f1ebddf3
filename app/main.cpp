// vantaro: the star map's window, or one frame rendered headless to a PNG.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <iostream>

#include "shell/AppIcons.h"
#include "shell/CommandLine.h"
#include "shell/CommandTable.h"
#include "shell/HeadlessRender.h"
#include "shell/MapLocation.h"
#include "shell/SkyglassApp.h"
#include "shell/SkyglassViewWidget.h"

namespace {

constexpr int kExitBadUsage = 2;

// Qt adopts the user's locale for the C library too; numbers in labels and
// edits are always written with a decimal point.
void KeepNumbersInCLocale() { std::setlocale(LC_NUMERIC, "C"); }

// The map: --map when given, else the first map.smp found.
std::string MapPathFor(const CommandLine& line) {
  if (line.mapPath) return *line.mapPath;
  return ChooseMapPath(MapCandidates(QCoreApplication::applicationDirPath().toStdString(), VANTARO_DATA_DIR));
}

// The constellation figures from the first figures.txt found. Without a
// readable file the program runs without them, saying why once.
std::vector<ConstellationFigure> LoadFigures() {
  FigureFileResult read = ReadFigureFile(ChooseMapPath(
      FigureFileCandidates(QCoreApplication::applicationDirPath().toStdString(), VANTARO_DATA_DIR)));
  if (!read.error.empty())
    std::cerr << "vantaro: " << read.error << "; running without constellation figures\n";
  return std::move(read.figures);
}

int RunRender(int argc, char** argv, const CommandLine& line) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // no window is made, so no display is needed
  QGuiApplication application(argc, argv);
  KeepNumbersInCLocale();
  std::string error;
  std::vector<ConstellationFigure> figures;
  if (line.render.display.figures != 0) figures = LoadFigures();
  const RenderResult result = RenderToPng(line.render, MapPathFor(line), &error, std::move(figures));
  if (result == RenderResult::Written) return 0;
  std::cerr << "vantaro: " << error << "\n";
  return result == RenderResult::UnknownStar ? kExitBadUsage : 1;
}

int RunWindow(int argc, char** argv, const CommandLine& line) {
  QApplication application(argc, argv);
  KeepNumbersInCLocale();
  QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  QApplication::setWindowIcon(AppIcon());
  CSkyglassApp skyglass(MapPathFor(line));
  std::string error;
  if (!skyglass.InitInstance(line.documentFile, &error)) {
    std::cerr << "vantaro: " << error << "\n";
    return 1;
  }
  if (SkyglassViewWidget* view = skyglass.DocTemplate().View()) view->View().SetFigures(LoadFigures());
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLineResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "vantaro: " << parsed.error << "\nTry 'vantaro --help'.\n";
    return kExitBadUsage;
  }
  const CommandLine& line = parsed.commandLine;
  switch (line.mode) {
    case RunMode::Help:
      std::cout << UsageText();
      return 0;
    case RunMode::Version:
      std::cout << VersionText();
      return 0;
    case RunMode::Render:
      return RunRender(argc, argv, line);
    case RunMode::Window:
      break;
  }
  return RunWindow(argc, argv, line);
}
