// Vector3D: the one geometric value type. Positions are in light years.
// Every operation keeps the order of operations of its formula exactly, so
// results are bit-identical wherever they are computed.
#pragma once

#include <cmath>

struct Vector3D {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  Vector3D() = default;
  Vector3D(double vx, double vy, double vz) : x(vx), y(vy), z(vz) {}

  void Set(double vx, double vy, double vz) {
    x = vx;
    y = vy;
    z = vz;
  }

  // Divides the vector by its own length. A zero vector is not guarded.
  void Normalize() {
    const double len = std::sqrt(x * x + (y * y + z * z));
    x = x / len;
    y = y / len;
    z = z / len;
  }

  Vector3D operator+(Vector3D b) const { return Vector3D(x + b.x, y + b.y, z + b.z); }
  Vector3D operator-(Vector3D b) const { return Vector3D(x - b.x, y - b.y, z - b.z); }
  Vector3D operator*(double s) const { return Vector3D(x * s, y * s, z * s); }
  // Three divisions, not a multiplication by 1/s: the results differ in the last bit.
  Vector3D operator/(double s) const { return Vector3D(x / s, y / s, z / s); }
};

// a.x*b.x + (a.y*b.y + a.z*b.z): the one summation order used everywhere.
inline double Dot(const Vector3D& a, const Vector3D& b) { return a.x * b.x + (a.y * b.y + a.z * b.z); }
