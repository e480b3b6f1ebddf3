// The constellation figures file (data/figures.txt): each figure's
// abbreviation and name, its stars by catalogue number and by position, and
// its lines between them. Read once at start; plain C++.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "geometry/Vector3D.h"

struct FigureStar {
  int32_t catalogNumber;
  Vector3D position;  // light years, in the map's frame
};

struct FigureLine {
  int32_t from;  // indices into the figure's stars
  int32_t to;
};

struct ConstellationFigure {
  std::string abbreviation;
  std::string name;  // code page 1252
  std::vector<FigureStar> stars;
  std::vector<FigureLine> lines;
};

struct FigureFileResult {
  std::vector<ConstellationFigure> figures;
  std::string error;  // empty when the file was read whole; then figures holds at least one figure
};

// Reads the figures from text; source names it in the error ("figures.txt").
FigureFileResult ParseFigureFile(std::istream& text, const std::string& source);
// Reads the file at path.
FigureFileResult ReadFigureFile(const std::string& path);
