// StarRanking: chooses the N nearest or N brightest of a stream of stars in
// two passes over the input and 8 MiB of memory, whatever the input's size.
// The first pass counts the stars per rank bin, the second keeps the stars of
// the bins below the one where the count passes N, and of that bin as many as
// still fit, in input order. A bin spans 1/2048 of its key (the float's top
// 20 bits), so the stars kept are the N nearest or brightest to that share;
// ties within it go to the star read first.
#pragma once

#include <cstdint>
#include <vector>

#include "MapWriter.h"

enum class KeepRule { First, Nearest, Brightest };

class StarRanking {
 public:
  explicit StarRanking(KeepRule rule);

  void Count(const MapStar& star);  // first pass
  void Choose(uint64_t limit);      // between the passes
  bool Keep(const MapStar& star);   // second pass, in the same order

 private:
  uint32_t Bin(const MapStar& star) const;

  KeepRule m_rule;
  std::vector<uint64_t> m_counts;
  uint32_t m_border = 0;      // bins below it are kept whole
  uint64_t m_borderRoom = 0;  // stars of the border bin still kept
};

// Distance from the origin in light years as the program decodes the record.
double DecodedDistance(const MapStar& star);
// A stored millionths field as the program decodes it.
inline double Decoded(int32_t millionths) { return static_cast<double>(millionths) * 1e-6; }
