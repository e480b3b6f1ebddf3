// The view's message map for commands: which command ids the view handles,
// with which handler, and which have a command-state update handler. Ids not
// listed here go on to the document, the frame and the application. Also the
// zoom field's update handler.
#include <algorithm>
#include <iterator>

#include "interaction/CommandIds.h"
#include "interaction/ObserverReadout.h"
#include "interaction/ZoomReadout.h"
#include "view/SkyglassView.h"

namespace {

struct CommandEntry {
  int id;
  void (*run)(CSkyglassView&);
};

constexpr CommandEntry kCommands[] = {
    {cmd::kNames, [](CSkyglassView& v) { v.OnNames(); }},
    {cmd::kDebug, [](CSkyglassView& v) { v.OnDebug(); }},
    {cmd::kTravelToPoint, [](CSkyglassView& v) { v.OnTravelToPoint(); }},
    {cmd::kDistances, [](CSkyglassView& v) { v.OnDistances(); }},
    {cmd::kDurchmusterung, [](CSkyglassView& v) { v.OnDurchmusterung(); }},
    {cmd::kMagnitudeDrawing, [](CSkyglassView& v) { v.OnMagnitudeDrawing(); }},
    {cmd::kStarColours, [](CSkyglassView& v) { v.OnStarColours(); }},
    {cmd::kConstellationFigures, [](CSkyglassView& v) { v.OnConstellationFigures(); }},
    {cmd::kGalacticGrid, [](CSkyglassView& v) { v.OnGalacticGrid(); }},
    {cmd::kTravelToSelection, [](CSkyglassView& v) { v.OnTravelToSelection(); }},
    {cmd::kViewAtSelection, [](CSkyglassView& v) { v.OnViewAtSelection(); }},
    {cmd::kClearSelection, [](CSkyglassView& v) { v.OnClearSelection(); }},
    {cmd::kTravelToStar, [](CSkyglassView& v) { v.OnTravelToStar(); }},
    {cmd::kZoom50, [](CSkyglassView& v) { v.OnZoom(0.5); }},
    {cmd::kZoom100, [](CSkyglassView& v) { v.OnZoom(1.0); }},
    {cmd::kZoom200, [](CSkyglassView& v) { v.OnZoom(2.0); }},
    {cmd::kZoom500, [](CSkyglassView& v) { v.OnZoom(5.0); }},
    {cmd::kZoom1000, [](CSkyglassView& v) { v.OnZoom(10.0); }},
    {cmd::kZoom2000, [](CSkyglassView& v) { v.OnZoom(20.0); }},
    {cmd::kViewToStar, [](CSkyglassView& v) { v.OnViewToStar(); }},
    {cmd::kViewDirection, [](CSkyglassView& v) { v.OnViewDirection(); }},
    {cmd::kSmallNames, [](CSkyglassView& v) { v.OnSmallNames(); }},
    {cmd::kOptions, [](CSkyglassView& v) { v.OnOptions(); }},
};

struct UpdateEntry {
  int id;
  void (*update)(CSkyglassView&, CCmdUI&);
};

constexpr UpdateEntry kUpdates[] = {
    {cmd::kNames, [](CSkyglassView& v, CCmdUI& ui) { ui.SetCheck(v.m_bNames); }},
    {cmd::kDebug, [](CSkyglassView& v, CCmdUI& ui) { ui.SetCheck(v.m_bDebug); }},
    {cmd::kDistances, [](CSkyglassView& v, CCmdUI& ui) { ui.SetCheck(v.m_bDistances); }},
    {cmd::kDurchmusterung, [](CSkyglassView& v, CCmdUI& ui) { ui.SetCheck(v.m_bDurchmusterung); }},
    {cmd::kMagnitudeDrawing, [](CSkyglassView& v, CCmdUI& ui) { ui.SetCheck(v.m_bMagnitudeDrawing); }},
    {cmd::kStarColours, [](CSkyglassView& v, CCmdUI& ui) { ui.SetCheck(v.m_bColours); }},
    {cmd::kConstellationFigures,
     [](CSkyglassView& v, CCmdUI& ui) {
       ui.Enable(v.HasFigures());
       ui.SetCheck(v.m_display.figures);
     }},
    {cmd::kGalacticGrid, [](CSkyglassView& v, CCmdUI& ui) { ui.SetCheck(v.m_display.grid); }},
    {cmd::kTravelToSelection, [](CSkyglassView& v, CCmdUI& ui) { ui.Enable(v.m_nSelectedStar >= 0); }},
    {cmd::kViewAtSelection, [](CSkyglassView& v, CCmdUI& ui) { ui.Enable(v.m_nSelectedStar >= 0); }},
    {cmd::kZoomField, [](CSkyglassView& v, CCmdUI& ui) { v.OnUpdateZoomField(ui); }},
    {cmd::kSmallNames, [](CSkyglassView& v, CCmdUI& ui) { ui.SetCheck(v.m_bSmallNames); }},
    {cmd::kObserverPane,
     [](CSkyglassView& v, CCmdUI& ui) {
       ui.SetText(FormatObserverReadout(v.m_vPosition, v.m_dYaw, v.m_dPitch));
     }},
};

template <typename Entry, size_t N>
const Entry* Find(const Entry (&table)[N], int id) {
  const auto found =
      std::find_if(std::begin(table), std::end(table), [id](const Entry& e) { return e.id == id; });
  return found == std::end(table) ? nullptr : found;
}

}  // namespace

bool CSkyglassView::HandlesCommand(int id) { return Find(kCommands, id) != nullptr; }

bool CSkyglassView::OnCommand(int id) {
  const CommandEntry* entry = Find(kCommands, id);
  if (entry == nullptr) return false;
  entry->run(*this);
  return true;
}

void CSkyglassView::OnUpdateZoomField(CCmdUI& cmdUI) { cmdUI.SetText(FormatZoomReadout(m_dZoom)); }

bool CSkyglassView::OnUpdateCommandUI(int id, CCmdUI& cmdUI) {
  const UpdateEntry* entry = Find(kUpdates, id);
  if (entry == nullptr) return false;
  entry->update(*this, cmdUI);
  return true;
}
