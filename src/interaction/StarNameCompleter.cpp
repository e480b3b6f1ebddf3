// Incremental completion of star names in the star-name dialogs.
#include "interaction/StarNameCompleter.h"

#include <cstring>

#include "catalog/StarCatalog.h"

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

int32_t FindStarAsTyped(const StarCatalog& catalog, std::string_view name) {
  if (name.empty()) return -1;
  return FindStarByPrefix(catalog.m_pStars, catalog.m_nStars, name, true);
}

NameCompletion CompleteStarName(std::string& name, std::string& previous, const StarEntry* stars, int count,
                                bool includeDesignations) {
  // Only a longer text completes: deleting the selected tail, or replacing
  // the text by one no longer than before, must not bring the tail back.
  if (previous.size() >= name.size()) {
    previous = name;
    return {};
  }
  const size_t typedLength = name.size();
  previous = name;

  const int index = FindStarByPrefix(stars, count, name, includeDesignations);
  if (index < 0) return {NameCompletion::NoStar};
  name = NameOf(stars[index]);
  return {NameCompletion::Completed, index, typedLength};
}
