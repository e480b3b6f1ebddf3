// Travel, look and select by star name, with the view's own travel, look and
// selection.
#include "view/ScriptedNavigation.h"

#include "interaction/StarNameCompleter.h"
#include "view/SkyglassView.h"

namespace {

std::string NoStarNamed(const char* option, std::string_view name) {
  return std::string(option) + ": no star is named '" + std::string(name) + "' (names are case-sensitive)";
}

}  // namespace

std::string RunNavigationScript(CSkyglassView& view, const NavigationScript& script) {
  const StarCatalog& catalog = view.GetDocument().m_catalog;
  if (!script.travelTo.empty()) {
    const int32_t index = FindStarAsTyped(catalog, script.travelTo);
    if (index < 0) return NoStarNamed("--travel-to", script.travelTo);
    const Vector3D& star = catalog.m_pStars[index].vPos;
    view.TravelTo(star.x, star.y, star.z);
  }
  if (!script.lookAt.empty()) {
    const int32_t index = FindStarAsTyped(catalog, script.lookAt);
    if (index < 0) return NoStarNamed("--look-at", script.lookAt);
    if (!view.LookAt(catalog.m_pStars[index].vPos))
      return "--look-at: the observer stands at '" + std::string(catalog.m_pStars[index].szName) +
             "', so there is no direction to look in";
  }
  if (!script.select.empty()) {
    const int32_t index = FindStarAsTyped(catalog, script.select);
    if (index < 0) return NoStarNamed("--select", script.select);
    view.Select(index);
  }
  return {};
}
