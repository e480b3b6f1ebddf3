// The program's world frame from a catalogue's heliocentric coordinates.
// The program looks along +z at start, with +y up and +x on the right; each
// frame below puts a sky direction there so that the sky is not mirrored.
#pragma once

#include <optional>
#include <string_view>

#include "geometry/Vector3D.h"

// Light years per parsec.
inline constexpr double kLightYearsPerParsec = 3.26156;

enum class WorldFrame {
  Galactic,    // +z to the galactic centre, +y to the north galactic pole, +x to l = 270 degrees
  Equatorial,  // +z to RA 0h Dec 0, +y to the north celestial pole, +x to RA 18h
  Map,         // coordinates already in a map's frame (vantaro-mapinfo --csv): no rotation
};

std::optional<WorldFrame> ParseWorldFrame(std::string_view name);
const char* WorldFrameName(WorldFrame frame);

// catalogue: parsecs, equatorial J2000 (x to RA 0h Dec 0, y to RA 6h Dec 0,
// z to the north celestial pole), or the map's own frame for WorldFrame::Map.
// The result is in light years.
Vector3D ToWorldFrame(WorldFrame frame, Vector3D catalogue);
