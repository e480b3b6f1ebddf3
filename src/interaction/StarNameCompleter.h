// Star-name completion for the two star-name dialogs: each time the typed
// name grows, the first star in catalogue order whose name begins with it is
// found and the name completed to it. Plain functions over the records; the
// dialogs apply the result to their edit and members.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/StarEntry.h"

class StarCatalog;

// Index of the first record whose name begins with prefix (byte for byte,
// case-sensitive), or -1. Without includeDesignations, names whose fifth
// byte is the degree sign 0xB0 are skipped.
int FindStarByPrefix(const StarEntry* stars, int count, std::string_view prefix, bool includeDesignations);

// The star the star dialogs' completion finds when name is typed in one go
// with the designations box ticked: the first record whose name begins with
// it. -1 when there is none, or when name is empty (nothing is completed).
int32_t FindStarAsTyped(const StarCatalog& catalog, std::string_view name);

// What one completion did to the name.
struct NameCompletion {
  enum Outcome {
    NotLonger,  // the text did not grow: nothing changes, the star found last stays
    NoStar,     // the text grew but no name begins with it: it stays as typed
    Completed,  // name now holds the star's full name
  } outcome = NotLonger;
  int star = -1;           // the record completed to (Completed only)
  size_t typedLength = 0;  // the length of the text as typed (Completed only)
};

// Runs one completion after the name edit changed to name. previous is the
// text as the completion last read it, never the completed name; it is
// updated to the typed text.
NameCompletion CompleteStarName(std::string& name, std::string& previous, const StarEntry* stars, int count,
                                bool includeDesignations);
