// The two passes over the catalogue that write each record's working values
// for the current observer: its projection, and its distance and apparent
// magnitude (through MagnitudePass where its memory can be had).
// Large catalogues are split into contiguous index ranges run side by side;
// each record is written by the one thread that owns its range, with the same
// per-star kernel, so the result is the serial loop's to the bit.
#include "catalog/StarCatalog.h"

#include <new>

#include "catalog/StarKernels.h"
#include "parallel/ParallelRange.h"

int StarCatalog::ProjectStars(Vector3D position, Vector3D forward, Vector3D scaledRight,
                              Vector3D scaledDown) {
  const ProjectionSetup setup{position, forward, scaledRight, scaledDown};
  ForEachChunk(m_nStars, kMinStarsPerThread,
               [&](int64_t begin, int64_t end) { ProjectRange(m_pStars, begin, end, setup); });
  return 1;
}

void StarCatalog::UpdateMagnitudes(Vector3D position) {
  MagnitudesChanged();
  try {
    m_magnitudes.Update(m_pStars, m_nStars, m_nPositionsStamp, position);
    m_nClassesStamp = m_nMagnitudesStamp;
    return;
  } catch (const std::bad_alloc&) {
    m_magnitudes.Forget();
  }
  // Without the memory for the compact copy, every record is written.
  const MagnitudeTables& tables = MagnitudeTables::Get();  // built here, before any worker reads it
  ForEachChunk(m_nStars, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      if (i + kPrefetchDistance < end) PrefetchRecord(m_pStars[i + kPrefetchDistance], true);
      UpdateStarMagnitude(m_pStars[i], tables, position);
    }
  });
}

void StarCatalog::WriteAllMagnitudes() {
  if (MagnitudeClasses() != nullptr) m_magnitudes.WriteAll(m_pStars, m_nStars);
}
