// Fuzz target for the map loader. Whatever the bytes, the loader either
// accepts them with count records whose strings end inside their fields, or
// refuses them and leaves the catalogue empty; and it ends exactly as the
// serial reference decoder does, records byte for byte, also when its
// decoder works in chunks of a few records on several threads.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "MapLoadComparison.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "map loader invariant broken: %s\n", what);
  std::abort();
}

void CheckOutcome(const MapLoad& load, size_t size) {
  const StarCatalog& catalog = load.catalog;
  if (!load.loaded) {
    Require(catalog.m_nStars == 0 && catalog.m_pStars == nullptr, "a refused map leaves the catalogue empty");
    Require(load.diagnosis.rejection != MapRejection::None, "a refusal names its cause");
    Require(load.diagnosis.offset <= size, "a refusal lies inside the data");
    return;
  }
  Require(load.diagnosis.rejection == MapRejection::None, "an accepted map has no rejection");
  Require(static_cast<uint32_t>(catalog.m_nStars) == load.diagnosis.count, "the header's count is loaded");
  Require(load.diagnosis.endOffset <= size, "the records end inside the data");
  for (int32_t i = 0; i < catalog.m_nStars; ++i) {
    const StarEntry& star = catalog.m_pStars[i];
    Require(std::memchr(star.szTag, 0, sizeof star.szTag) != nullptr, "the tag ends inside its field");
    Require(std::memchr(star.szName, 0, sizeof star.szName) != nullptr, "the name ends inside its field");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MapLoad loader;
  loader.loaded = loader.catalog.LoadStarMap(data, size, &loader.diagnosis);
  CheckOutcome(loader, size);

  MapLoad reference;
  reference.loaded = ReferenceLoadStarMap(reference.catalog, data, size, reference.diagnosis);
  Require(SameLoad(loader, reference), "the loader ends as the reference decoder does");

  // Chunks of 1 to 4 records; every eighth input on three threads.
  MapLoad chunked;
  const unsigned workers = size % 8 == 0 ? 3 : 1;
  chunked.loaded = LoadInChunks(chunked.catalog, data, size, chunked.diagnosis, 1 + size % 4, workers);
  Require(SameLoad(chunked, reference), "the chunked decoder ends as the reference decoder does");
  return 0;
}
