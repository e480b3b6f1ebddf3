// Filling a catalogue for a test: from whole records, or from names and
// positions alone.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/StarCatalog.h"

// Replaces the catalogue's records with a copy of stars.
inline void FillCatalog(StarCatalog& catalog, const std::vector<StarEntry>& stars) {
  catalog.Allocate(static_cast<int32_t>(stars.size()));
  std::copy(stars.begin(), stars.end(), catalog.m_pStars);
}

// A star given by name and position only.
struct TestStar {
  std::string name;
  double x;
  double y;
  double z;
};

// Records of the stars, each of absolute magnitude 1.
inline std::vector<StarEntry> NamedStars(const std::vector<TestStar>& stars) {
  std::vector<StarEntry> records(stars.size(), StarEntry{});
  for (size_t i = 0; i < stars.size(); ++i) {
    std::strncpy(records[i].szName, stars[i].name.c_str(), sizeof records[i].szName - 1);
    records[i].vPos = Vector3D(stars[i].x, stars[i].y, stars[i].z);
    records[i].dAbsMagnitude = 1.0;
  }
  return records;
}
