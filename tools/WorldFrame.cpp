// Rotations from equatorial J2000 coordinates into the program's world frame.
#include "WorldFrame.h"

namespace {

// IAU J2000 equatorial-to-galactic rotation: the rows are the galactic axes
// X (towards l = 0, b = 0), Y (towards l = 90) and Z (the north galactic pole)
// in equatorial coordinates.
const Vector3D kGalacticX(-0.0548755604, -0.8734370902, -0.4838350155);
const Vector3D kGalacticY(0.4941094279, -0.4448296300, 0.7469822445);
const Vector3D kGalacticZ(-0.8676661490, -0.1980763734, 0.4559837762);

// A right-handed frame (forward f, left l, up u) seen by a viewer looking
// along f with u up has l on the left, so the screen's right is -l:
// world = (-l, u, f). This is a reflection, which the left-handed world
// frame (x right, y up, z forward) needs to show the sky unmirrored.
Vector3D FromForwardLeftUp(double forward, double left, double up) { return Vector3D(-left, up, forward); }

}  // namespace

std::optional<WorldFrame> ParseWorldFrame(std::string_view name) {
  if (name == "galactic") return WorldFrame::Galactic;
  if (name == "equatorial") return WorldFrame::Equatorial;
  if (name == "map") return WorldFrame::Map;
  return std::nullopt;
}

const char* WorldFrameName(WorldFrame frame) {
  switch (frame) {
    case WorldFrame::Galactic:
      return "galactic";
    case WorldFrame::Equatorial:
      return "equatorial";
    case WorldFrame::Map:
      return "map";
  }
  return "?";
}

Vector3D ToWorldFrame(WorldFrame frame, Vector3D catalogue) {
  Vector3D frameParsecs;
  switch (frame) {
    case WorldFrame::Galactic:
      frameParsecs = FromForwardLeftUp(Dot(kGalacticX, catalogue), Dot(kGalacticY, catalogue),
                                       Dot(kGalacticZ, catalogue));
      break;
    case WorldFrame::Equatorial:
      // Equatorial x points to RA 0h, y to RA 6h (east of it: left), z north.
      frameParsecs = FromForwardLeftUp(catalogue.x, catalogue.y, catalogue.z);
      break;
    case WorldFrame::Map:
      frameParsecs = catalogue;
      break;
  }
  return frameParsecs * kLightYearsPerParsec;
}
