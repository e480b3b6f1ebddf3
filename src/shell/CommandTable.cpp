// The command, menu, accelerator, toolbar and status-bar tables.
#include "shell/CommandTable.h"

#include <algorithm>

#include "interaction/CommandIds.h"

namespace {

constexpr CommandText kCommands[] = {
    {cmd::kSaveViewAs, "Save View &As...\tCtrl+S", "Saves the view as a PNG picture.\nSave View As"},
    {cmd::kAppExit, "E&xit\tEsc", "Quit the application; prompts to save documents\nExit"},
    {cmd::kViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    {cmd::kViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar"},
    {cmd::kNames, "&Names", "Shows/Hides Starnames.\nToggle Names"},
    {cmd::kSmallNames, "S&mall Names", "Shows/Hides names for small stars.\nToggle Names"},
    {cmd::kDurchmusterung, "D&urchmusterung #s",
     "Shows/Hides Durchmusterung Designations.\nToggle BD/CD/PD Designations"},
    {cmd::kDistances, "&Distances", "Shows/Hides Distances to stars.\nToggle Distance"},
    {cmd::kStarColours, "Star &Colours",
     "Shows stars in the colours of their spectral classes.\nToggle Star Colours"},
    {cmd::kConstellationFigures, "Constellation &Figures",
     "Shows/Hides the lines of the constellations between their stars.\nToggle Constellation Figures"},
    {cmd::kGalacticGrid, "Galactic &Grid",
     "Shows/Hides lines of galactic latitude and longitude.\nToggle Galactic Grid"},
    {cmd::kOptions, "&Options...\tCtrl+O", "Configure the program.\nConfiguration"},
    {cmd::kTravelToStar, "To a &Star...\tCtrl+T", "Travel to a star.\nTravel to a star"},
    {cmd::kTravelToPoint, "By &Coordinate...", "Travel to a point by giving its x/y/z coordinates.\nTravel"},
    {cmd::kTravelToSelection, "To the &Selection", "Travel to the selected star.\nTravel to the selection"},
    {cmd::kViewToStar, "To a &Star...\tCtrl+D", "Centers View on a Star.\nCenter View"},
    {cmd::kViewDirection, "To &Coordinates...", "Moves the View to some coordinates .\nMove View"},
    {cmd::kViewAtSelection, "At the &Selection", "Centers View on the selected star.\nCenter View"},
    {cmd::kZoom50, "50%", "Set Zoom Factor to 50%.\n50% Zooming"},
    {cmd::kZoom100, "100%\tCtrl+1", "Set Zoom Factor to 100%.\n100% Zooming"},
    {cmd::kZoom200, "&200%", "Set Zoom Factor to 200%.\n200% Zooming"},
    {cmd::kZoom500, "&500%", "Set Zoom Factor to 500%.\n500% Zooming"},
    {cmd::kZoom1000, "&1000%", "Set Zoom Factor to 1000%.\n1000% Zooming"},
    {cmd::kZoom2000, "2&000%", "Set Zoom Factor to 2000%.\n2000% Zooming"},
    {cmd::kFullScreen, "&Full Screen\tF11", "Shows the view on the whole screen.\nFull Screen"},
    {cmd::kAppAbout, "&About Vantaro...", "Display program information, version number and copyright\nAbout"},
    {cmd::kMagnitudeDrawing, "",
     "Uses different Sizes for different Magnitudes.\nToggle Magnitude depending drawing"},
    {cmd::kZoomField, "", "Changes the scaling factor of the visible area.\nZoom Factor"},
    {cmd::kDebug, "", "Shows/Hides Debug Info.\nToggle Debug mode"},
    {cmd::kClearSelection, "", "Clears the selection.\nClear Selection"},
};

using K = MenuEntryKind;
constexpr MenuEntry kMainMenu[] = {
    {K::Popup, 0, "&File"},
    {K::Item, cmd::kSaveViewAs, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, cmd::kAppExit, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "&Options"},
    {K::Item, cmd::kViewToolbar, nullptr},
    {K::Item, cmd::kViewStatusBar, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, cmd::kNames, nullptr},
    {K::Item, cmd::kSmallNames, nullptr},
    {K::Item, cmd::kDurchmusterung, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, cmd::kDistances, nullptr},
    {K::Item, cmd::kStarColours, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, cmd::kConstellationFigures, nullptr},
    {K::Item, cmd::kGalacticGrid, nullptr},
    {K::Separator, 0, nullptr},
    {K::Item, cmd::kOptions, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "&Travel"},
    {K::Item, cmd::kTravelToStar, nullptr},
    {K::Item, cmd::kTravelToPoint, nullptr},
    {K::Item, cmd::kTravelToSelection, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "&View"},
    {K::Item, cmd::kViewToStar, nullptr},
    {K::Item, cmd::kViewDirection, nullptr},
    {K::Item, cmd::kViewAtSelection, nullptr},
    {K::Popup, 0, "&Zoom"},
    {K::Item, cmd::kZoom50, nullptr},
    {K::Item, cmd::kZoom100, nullptr},
    {K::Item, cmd::kZoom200, nullptr},
    {K::Item, cmd::kZoom500, nullptr},
    {K::Item, cmd::kZoom1000, nullptr},
    {K::Item, cmd::kZoom2000, nullptr},
    {K::End, 0, nullptr},
    {K::Item, cmd::kFullScreen, nullptr},
    {K::End, 0, nullptr},
    {K::Popup, 0, "&Help"},
    {K::Item, cmd::kAppAbout, nullptr},
    {K::End, 0, nullptr},
};

constexpr Accelerator kAccelerators[] = {
    {"Ctrl+1", cmd::kZoom100},
    {"Ctrl+C", cmd::kEditCopy},
    {"Ctrl+D", cmd::kViewToStar},
    {"Ctrl+O", cmd::kOptions},
    {"Ctrl+T", cmd::kTravelToStar},
    {"Ctrl+V", cmd::kEditPaste},
    {"Alt+Backspace", cmd::kEditUndo},
    {"Shift+Del", cmd::kEditCut},
    {"Esc", cmd::kEscape},
    {"F6", cmd::kNextPane},
    {"Shift+F6", cmd::kPrevPane},
    {"Ctrl+Ins", cmd::kEditCopy},
    {"Shift+Ins", cmd::kEditPaste},
    {"Pause", cmd::kPause},
    {"Ctrl+S", cmd::kSaveViewAs},
    {"F11", cmd::kFullScreen},
};

constexpr int kToolbar[] = {
    cmd::kZoomField,   kToolbarSeparator,          cmd::kNames,
    cmd::kSmallNames,  cmd::kDurchmusterung,       kToolbarSeparator,
    cmd::kDistances,   kToolbarSeparator,          cmd::kMagnitudeDrawing,
    cmd::kStarColours, cmd::kConstellationFigures,
};

constexpr StatusIndicator kIndicators[] = {
    {cmd::kIndicatorCaps, "CAP"},
    {cmd::kIndicatorNum, "NUM"},
    {cmd::kIndicatorScroll, "SCRL"},
};

}  // namespace

std::span<const CommandText> CommandTexts() { return kCommands; }

const CommandText* FindCommandText(int id) {
  const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                  [id](const CommandText& c) { return c.id == id; });
  return found == std::end(kCommands) ? nullptr : found;
}

std::span<const MenuEntry> MainMenu() { return kMainMenu; }
std::span<const Accelerator> Accelerators() { return kAccelerators; }
std::span<const int> ToolbarSlots() { return kToolbar; }
std::span<const StatusIndicator> StatusIndicators() { return kIndicators; }

PromptParts SplitPrompt(std::string_view prompt) {
  const size_t newline = prompt.find('\n');
  if (newline == std::string_view::npos) return {prompt, {}};
  return {prompt.substr(0, newline), prompt.substr(newline + 1)};
}
