// CSkyglassDoc: loads the map once when set up as a new document. A map that
// cannot be opened leaves the document as it was; one that is rejected leaves
// the catalogue empty. Either way the reason is kept for the no-map screen
// and --render.
#include "catalog/SkyglassDoc.h"

#include <utility>

#include "catalog/MapFailureText.h"
#include "catalog/MapFileLoad.h"

CSkyglassDoc::CSkyglassDoc(std::string mapPath) : m_mapPath(std::move(mapPath)) {}

void CSkyglassDoc::Serialize(LoadArchive&) {}

int CSkyglassDoc::OnNewDocument() {
  // The framework's own new-document step has nothing to clear here and always succeeds.
  MapDiagnosis diagnosis;
  if (LoadStarMapFile(m_catalog, m_mapPath, diagnosis)) {
    m_bMapPresent = 1;
    m_strMapFailure.clear();
  } else {
    m_strMapFailure = MapFailureMessage(m_mapPath, diagnosis);
  }
  return 1;
}
