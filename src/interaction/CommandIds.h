// Numeric command ids shared by the menus, the toolbar, the accelerators and
// the command handlers.
#pragma once

namespace cmd {
// View: display toggles and zoom.
inline constexpr int kNames = 32774;
inline constexpr int kDebug = 32775;
inline constexpr int kDistances = 32781;
inline constexpr int kDurchmusterung = 32785;
inline constexpr int kMagnitudeDrawing = 32786;
inline constexpr int kSmallNames = 32807;
inline constexpr int kStarColours = 32812;
inline constexpr int kConstellationFigures = 32813;
inline constexpr int kGalacticGrid = 32814;
inline constexpr int kZoom50 = 32795;
inline constexpr int kZoom100 = 32796;
inline constexpr int kZoom200 = 32797;
inline constexpr int kZoom500 = 32798;
inline constexpr int kZoom1000 = 32799;
inline constexpr int kZoom2000 = 32800;
inline constexpr int kZoomField = 1016;
inline constexpr int kObserverPane = 1017;  // status bar pane: the observer's position and angles
// View: options, travel and view direction.
inline constexpr int kOptions = 32783;
inline constexpr int kTravelToPoint = 32777;
inline constexpr int kTravelToStar = 32791;
inline constexpr int kViewDirection = 32801;
inline constexpr int kViewToStar = 32802;
// The selected star: travel to it, look at it, forget it (Esc outside full screen).
inline constexpr int kTravelToSelection = 32815;
inline constexpr int kViewAtSelection = 32816;
inline constexpr int kClearSelection = 32817;
// Window comforts beyond the original commands.
inline constexpr int kSaveViewAs = 32810;
inline constexpr int kFullScreen = 32811;
// Accelerator-only ids: Pause is handled by nothing; Esc leaves full screen,
// or clears the selection outside it.
inline constexpr int kPause = 32782;
inline constexpr int kEscape = 32804;
// Framework commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintDirect = 57608;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
// Status bar indicators.
inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;
}  // namespace cmd

// Dialog templates.
namespace dlg {
inline constexpr int kAbout = 100;
inline constexpr int kTravelToPoint = 131;
inline constexpr int kTravelToStar = 135;
inline constexpr int kViewToStar = 136;
inline constexpr int kViewDirection = 137;
inline constexpr int kOptions = 138;
}  // namespace dlg

// Dialog control ids.
namespace ctl {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kEditX = 1002;
inline constexpr int kEditY = 1003;
inline constexpr int kEditZ = 1004;
inline constexpr int kEditName = 1018;
inline constexpr int kCheckDesignations = 1019;
inline constexpr int kEditU = 1020;
inline constexpr int kEditV = 1021;
inline constexpr int kEditTolerance = 1022;
}  // namespace ctl
