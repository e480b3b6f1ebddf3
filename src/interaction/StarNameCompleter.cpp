// Incremental completion of star names in the star-name dialogs.
#include "interaction/StarNameCompleter.h"

#include <cstring>
#include <string>

#include "interaction/StarNameDlg.h"

namespace {
std::string_view NameOf(const StarEntry& star) {
  return std::string_view(star.szName, strnlen(star.szName, sizeof star.szName));
}
}  // namespace

int FindStarByPrefix(const StarEntry* stars, int count, std::string_view prefix, bool includeDesignations) {
  if (stars == nullptr) return -1;
  for (int i = 0; i < count; ++i) {
    if (!includeDesignations && IsDialogDesignation(stars[i].szName)) continue;
    if (NameOf(stars[i]).starts_with(prefix)) return i;
  }
  return -1;
}

void StarNameCompleter(CStarNameDlg& dialog, DialogHost& host) {
  if (!host.UpdateData(true)) return;
  std::string& name = dialog.NameText();
  // Only a longer text completes: deleting the selected tail, or replacing
  // the text by one no longer than before, must not bring the tail back.
  // m_strPrevious keeps the text as typed, never the completed name.
  if (dialog.m_strPrevious.size() >= name.size()) {
    dialog.m_strPrevious = name;
    return;
  }
  const size_t typedLength = name.size();
  dialog.m_strPrevious = name;

  const int index = FindStarByPrefix(dialog.m_pStars, dialog.m_nStars, name, dialog.AlsoDesignations() != 0);
  if (index < 0) {
    dialog.m_bFound = 0;  // the text stays as typed
    return;
  }
  const StarEntry& star = dialog.m_pStars[index];
  name = NameOf(star);
  host.UpdateData(false);  // shows the full name; raises no change notification
  host.SetEditSelection(dialog.m_editName.controlId, static_cast<int>(typedLength),
                        static_cast<int>(name.size()));
  dialog.m_dStarX = star.vPos.x;
  dialog.m_dStarY = star.vPos.y;
  dialog.m_dStarZ = star.vPos.z;
  dialog.m_bFound = 1;
}
