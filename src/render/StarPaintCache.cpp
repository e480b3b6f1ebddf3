// Keeping the paint's copy of the catalogue current, and the label pass over
// the stars that may get a label.
#include "render/StarPaintCache.h"

#include <new>

#include "parallel/ParallelRange.h"

namespace {

constexpr int64_t kMinStarsPerThread = 65536;

}  // namespace

bool StarPaintCache::Prepare(const StarCatalog& catalog, bool byMagnitude) {
  if (catalog.PositionsStamp() != m_positionsStamp) {
    m_positionsStamp = 0;
    m_magnitudesStamp = 0;
    if (!m_grid.Build(catalog.m_pStars, catalog.m_nStars)) return false;
    m_paint.ForgetWrites();
    m_positionsStamp = catalog.PositionsStamp();
  }
  if (catalog.MagnitudesStamp() != m_magnitudesStamp || byMagnitude != m_byMagnitude) {
    m_magnitudesStamp = 0;
    try {
      FindLabelStars(catalog);
    } catch (const std::bad_alloc&) {
      m_grid.Clear();
      m_positionsStamp = 0;
      return false;
    }
    m_grid.RefreshCodes(catalog.m_pStars, byMagnitude);
    m_magnitudesStamp = catalog.MagnitudesStamp();
    m_byMagnitude = byMagnitude;
  }
  return true;
}

void StarPaintCache::FindLabelStars(const StarCatalog& catalog) {
  const int64_t count = catalog.m_nStars;
  const int64_t chunks = ChunkCount(count, kMinStarsPerThread, HardwareWorkers());
  std::vector<std::vector<int32_t>> parts(static_cast<size_t>(chunks));
  ForEachChunk(chunks, 1, static_cast<unsigned>(chunks), [&](int64_t first, int64_t last) {
    for (int64_t k = first; k < last; ++k)
      for (int64_t i = ChunkBegin(count, chunks, k), end = ChunkBegin(count, chunks, k + 1); i < end; ++i)
        if (MayGetLabel(catalog.m_pStars[i])) parts[k].push_back(static_cast<int32_t>(i));
  });
  m_labelStars.clear();
  for (const std::vector<int32_t>& part : parts)
    m_labelStars.insert(m_labelStars.end(), part.begin(), part.end());
}

void StarPaintCache::PaintStars(const ProjectionSetup& setup, int32_t drawCount, const ScreenFrame& frame,
                                uint16_t* bits, int32_t* drawn, size_t words) {
  m_paint.ClearFrame(bits, drawn, words);
  m_paint.Paint(m_grid, setup, drawCount, frame, bits, drawn);
}

int StarPaintCache::DrawLabels(StarEntry* stars, int32_t drawCount, const ProjectionSetup& setup,
                               const ScreenFrame& frame, const LabelFlags& flags, ViewPlatform& platform,
                               PixelBuffer& target) const {
  int texts = 0;
  for (const int32_t index : m_labelStars) {
    if (index >= drawCount) break;
    ProjectStar(stars[index], setup);
    texts += DrawStarLabel(stars[index], frame, flags, platform, target);
  }
  return texts;
}
