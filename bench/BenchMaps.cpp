// Builds and caches the benchmarks' maps and catalogues.
#include "BenchMaps.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>

namespace {

Bytes ReadShippedMap() {
  std::ifstream file(VANTARO_SHIPPED_MAP, std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.empty()) throw std::runtime_error("cannot read " VANTARO_SHIPPED_MAP);
  return bytes;
}

// Random stars around the origin: distance r = 2100 * sqrt(u) makes the
// density fall off as 1 / r, as a catalogue limited by brightness does, with
// no pile-up at the observer (about N / 44,100 stars within 10 light years:
// the nearest are the bright discs of the picture). Directions are uniform on the sphere, and absolute
// magnitudes are spread like the shipped catalogue's (about 1 +- 2.5).
Bytes NeighbourhoodMap(int64_t count) {
  std::mt19937_64 random(static_cast<uint64_t>(count));
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::normal_distribution<double> absMagnitude(1.0, 2.5);
  Bytes bytes = MapHeader(static_cast<uint32_t>(count));
  bytes.reserve(bytes.size() + static_cast<size_t>(count) * 21);
  for (int64_t i = 0; i < count; ++i) {
    const double u = unit(random);
    const double r = 2100.0 * std::sqrt(u);
    const double cosTheta = 2.0 * unit(random) - 1.0;
    const double sinTheta = std::sqrt(1.0 - cosTheta * cosTheta);
    const double phi = 6.283185307179586 * unit(random);
    auto millionths = [](double value) { return static_cast<int32_t>(std::lround(value * 1e6)); };
    AppendMinimalRecord(bytes, static_cast<uint32_t>(i), millionths(r * sinTheta * std::cos(phi)),
                        millionths(r * cosTheta), millionths(r * sinTheta * std::sin(phi)),
                        millionths(absMagnitude(random)));
  }
  return bytes;
}

}  // namespace

const Bytes& BenchMapBytes(int64_t count) {
  static std::map<int64_t, Bytes> maps;
  Bytes& bytes = maps[count];
  if (bytes.empty()) bytes = count == kShippedMapStars ? ReadShippedMap() : NeighbourhoodMap(count);
  return bytes;
}

CSkyglassDoc& BenchDocument(int64_t count) {
  static std::map<int64_t, std::unique_ptr<CSkyglassDoc>> documents;
  std::unique_ptr<CSkyglassDoc>& document = documents[count];
  if (!document) {
    document = std::make_unique<CSkyglassDoc>();
    const Bytes& bytes = BenchMapBytes(count);
    if (!document->m_catalog.LoadStarMap(bytes.data(), bytes.size()))
      throw std::runtime_error("bench map rejected");
    document->m_bMapPresent = 1;
  }
  return *document;
}

StarCatalog& BenchCatalogue(int64_t count) { return BenchDocument(count).m_catalog; }

BenchObserver StandardObserver() { return {Vector3D(0.0, 0.0, 0.0), 1.0, 0.3, ComputeBasis(1.0, 0.3), 1.0}; }

// From 1.5 times the farthest star's distance, the cloud's edge is seen at
// tan = 1 / sqrt(1.5 * 1.5 - 1) = 0.89 of the line of sight, inside the
// 1.08 (540 pixels at 500 a unit) of the shorter half-height of the views.
BenchObserver AllInFrontObserver(int64_t count) {
  const StarCatalog& catalog = BenchCatalogue(count);
  double farthest = 0.0;
  for (int32_t i = 0; i < catalog.m_nStars; ++i) {
    const Vector3D& p = catalog.m_pStars[i].vPos;
    farthest = std::max(farthest, std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z));
  }
  BenchObserver observer = StandardObserver();
  observer.position = observer.basis.forward * (-1.5 * farthest);
  return observer;
}
