// Where the star map is looked for when no --map is given, and the
// constellation figures always.
#pragma once

#include <string>
#include <vector>

// The places to look, in order: "map.smp" in the current directory, next to
// the program, then in the installed data directory.
std::vector<std::string> MapCandidates(const std::string& programDir, const std::string& dataDir);
// The same places for the figures file, "figures.txt".
std::vector<std::string> FigureFileCandidates(const std::string& programDir, const std::string& dataDir);
// The first candidate that is an existing file; the first candidate when none
// is (the map's file name when there is no candidate).
std::string ChooseMapPath(const std::vector<std::string>& candidates);
