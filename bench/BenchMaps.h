// The maps the benchmarks run on: the shipped map, and random maps of any size
// whose stars are spread like a real neighbourhood around the observer.
#pragma once

#include <cstdint>

#include "MapBytes.h"
#include "catalog/SkyglassDoc.h"
#include "catalog/StarCatalog.h"
#include "geometry/ViewBasis.h"

inline constexpr int64_t kShippedMapStars = 104741;  // data/map.smp
inline constexpr int64_t kHundredThousand = 100000;
inline constexpr int64_t kMillion = 1000000;
inline constexpr int64_t kLargestMap = 16777215;

// The bytes of a map of count stars, built once and kept for the whole run.
// kShippedMapStars stands for the shipped map itself; any other count gives
// random stars, dense near the observer at the origin and thinning out to
// 2100 light years, in every direction (half of them behind the observer),
// with absolute magnitudes that make some near stars bright enough for discs.
const Bytes& BenchMapBytes(int64_t count);

// A document holding BenchMapBytes(count), loaded once and kept for the whole
// run; BenchCatalogue is its catalogue.
CSkyglassDoc& BenchDocument(int64_t count);
StarCatalog& BenchCatalogue(int64_t count);

// The observer every benchmark paints for: at the origin, looking along yaw
// 1.0 and pitch 0.3, at zoom 1.
struct BenchObserver {
  Vector3D position;
  double yaw;
  double pitch;
  ViewBasis basis;
  double zoom;
};
BenchObserver StandardObserver();
// An observer outside the cloud of stars of BenchCatalogue(count), looking
// at it (yaw 1.0, pitch 0.3, zoom 1) from one and a half times the distance
// of its farthest star from the origin: every star is in front and lands on
// a 1920 x 1080 view.
BenchObserver AllInFrontObserver(int64_t count);
