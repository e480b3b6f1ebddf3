// Opening a map file and loading it, the one way the program and its tools
// do it, with the reason for a failure kept in a MapDiagnosis.
#pragma once

#include <cstdint>
#include <string>

#include "catalog/StarCatalog.h"

// Opens path read-only and runs LoadStarMap on it. True when loaded. A file
// that cannot be opened leaves the catalogue as it was (CannotOpen); any
// other failure leaves it empty. Running out of memory anywhere in the load
// is one of the reasons, never an exception. fileLength, when given,
// receives the opened file's length.
bool LoadStarMapFile(StarCatalog& catalog, const std::string& path, MapDiagnosis& diagnosis,
                     uint64_t* fileLength = nullptr);
