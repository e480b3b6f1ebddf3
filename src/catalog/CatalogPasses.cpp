// The two passes over the catalogue that write each record's working values
// for the current observer: its projection, and its distance and apparent
// magnitude (when a reader asks for them).
// Large catalogues are split into contiguous index ranges run side by side;
// each record is written by the one thread that owns its range, with the same
// per-star kernel, so the result is the serial loop's to the bit.
#include "catalog/StarCatalog.h"

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
  m_vMagnitudePosition = position;
  m_nDeferredStamp = m_nMagnitudesStamp;
  m_bAllWritten = false;
}

void StarCatalog::WriteAllMagnitudes() {
  if (DeferredMagnitudes() == nullptr || m_bAllWritten) return;
  const MagnitudeTables& tables = MagnitudeTables::Get();  // built here, before any worker reads it
  ForEachChunk(m_nStars, kMinStarsPerThread, [&](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) {
      if (i + kPrefetchDistance < end) PrefetchRecord(m_pStars[i + kPrefetchDistance], true);
      UpdateStarMagnitude(m_pStars[i], tables, m_vMagnitudePosition);
    }
  });
  m_bAllWritten = true;
}

void StarCatalog::WriteMagnitudesOf(int32_t index) {
  if (DeferredMagnitudes() != nullptr && !m_bAllWritten && index >= 0 && index < m_nStars)
    UpdateStarMagnitude(m_pStars[index], MagnitudeTables::Get(), m_vMagnitudePosition);
}
