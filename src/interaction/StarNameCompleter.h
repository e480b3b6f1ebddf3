// Star-name completion for the two star-name dialogs: each time the typed
// name grows, the first star in catalogue order whose name begins with it is
// found, its full name shown with the completed tail selected, and its
// position remembered.
#pragma once

#include <string_view>

#include "catalog/StarEntry.h"

class CStarNameDlg;
class DialogHost;

// Index of the first record whose name begins with prefix (byte for byte,
// case-sensitive), or -1. Without includeDesignations, names whose fifth
// byte is the degree sign 0xB0 are skipped.
int FindStarByPrefix(const StarEntry* stars, int count, std::string_view prefix, bool includeDesignations);

// Runs one completion on the dialog's members after its name edit changed.
void StarNameCompleter(CStarNameDlg& dialog, DialogHost& host);
