// StarEntry: one star's fixed data from the map file, side by side with the
// working values the view computes for the current observer.
#pragma once

#include <cstdint>

#include "geometry/Vector3D.h"

struct StarEntry {
  int32_t nCatalogNumber;  // 0..16,777,215 (24 bits in the file)
  double dAbsMagnitude;
  char szTag[10];    // at most 9 characters, zero-terminated
  char szName[134];  // at most 133 characters, zero-terminated; may be empty
  Vector3D vPos;     // light years

  // Working values for the current observer: the projection written by
  // ProjectStars, the distance and magnitude by WriteAllMagnitudes or
  // WriteMagnitudesOf after UpdateMagnitudes, before anything reads them.
  double dProjX;
  double dProjY;
  double dDistance;
  double dAppMagnitude;
  int32_t bVisible;  // 1 when dProjX and dProjY are current; test before use
};

// The label pass counts a name as a Durchmusterung designation when its
// second character is '+' or '-'.
inline bool IsLabelDesignation(const char* name) {
  return name[0] != 0 && (name[1] == '+' || name[1] == '-');
}

// The name dialogs count a name as a designation when its fifth byte is the
// degree sign 0xB0 (shorter names never are).
inline bool IsDialogDesignation(const char* name) {
  for (int i = 0; i < 4; ++i)
    if (name[i] == 0) return false;
  return static_cast<unsigned char>(name[4]) == 0xB0;
}
