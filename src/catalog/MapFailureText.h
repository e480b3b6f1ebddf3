// The words for why a map could not be opened or was rejected, the same in
// the window, in --render and in vantaro-mapinfo.
#pragma once

#include <string>

#include "catalog/StarCatalog.h"

// "PATH: REASON", for example
// "map.smp: not enough memory for 16,777,215 stars (3.5 GiB)". Records are
// counted from 1; offsets are bytes from the start of the file.
std::string MapFailureMessage(const std::string& path, const MapDiagnosis& diagnosis);

// The reason alone.
std::string MapFailureReason(const MapDiagnosis& diagnosis);
