// CSkyglassDoc: loads the map once when set up as a new document. A map that
// cannot be opened leaves the document as it was; one that is rejected leaves
// the catalogue empty.
#include "catalog/SkyglassDoc.h"

#include <utility>

#include "catalog/MapFile.h"

CSkyglassDoc::CSkyglassDoc(std::string mapPath) : m_mapPath(std::move(mapPath)) {}

void CSkyglassDoc::Serialize(LoadArchive&) {}

int CSkyglassDoc::OnNewDocument() {
  // The framework's own new-document step has nothing to clear here and always succeeds.
  ReadOnlyFile file;
  if (!file.Open(m_mapPath)) return 1;
  {
    LoadArchive archive(file);
    if (m_catalog.LoadStarMap(archive)) m_bMapPresent = 1;
  }
  file.Close();
  return 1;
}
