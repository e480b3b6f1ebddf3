// The viewing angles that point the line of sight along a direction.
#pragma once

#include "geometry/Vector3D.h"

// Yaw and pitch (radians) whose forward vector, (sin yaw cos pitch, sin pitch,
// cos yaw cos pitch), is d normalised. The pitch lies in -pi/2..pi/2, the yaw
// in -pi/2..about 3pi/2 (not wrapped). Returns false and writes nothing when
// d gives no direction: the zero vector, or one whose length cannot be
// computed in double precision (squares that overflow or underflow).
bool LookAnglesTowards(Vector3D d, double& yaw, double& pitch);
