// One catalogue row to one map record: catalogue number, fixed-point
// position and magnitude in the chosen frame, tag and name in 8-bit text.
#pragma once

#include <cstdint>
#include <optional>

#include "CatalogColumns.h"
#include "MapWriter.h"
#include "WorldFrame.h"

// Why a row gives no record.
enum class LeftOut {
  None,
  NoAbsoluteMagnitude,
  OutsideFieldRange,      // a coordinate or the magnitude beyond +-2147.483647
  CatalogNumberTooLarge,  // the HIP number, or the id without one, needs more than 24 bits
};

// What happened to the texts of a kept row.
struct ConversionNotes {
  bool properName = false;             // name from the proper column
  bool designation = false;            // name from the dm column
  bool unreadableDesignation = false;  // dm text not of the form "BD+38 4343", ignored
  bool charactersReplaced = false;     // name or tag lost characters code page 1252 lacks
  bool nameCut = false;                // name longer than 133 bytes
  bool tagCut = false;                 // spectral type longer than 9 bytes
};

// value x 1e6 rounded to nearest, halfway cases away from zero (llround);
// nothing when the result lies outside +-2147483647.
std::optional<int32_t> ToMillionths(double value);

LeftOut ConvertStar(const CatalogStar& row, WorldFrame frame, const MapEncoding& encoding, MapStar* star,
                    ConversionNotes* notes);
