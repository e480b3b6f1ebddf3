// Keeping the paint's copy of the catalogue current, and the label pass over
// the stars that may get a label.
#include "render/StarPaintCache.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <new>

#include "parallel/ParallelRange.h"

namespace {

// Fewest words of the label bits, and fewest stars that may get a label,
// that a thread takes on.
constexpr int64_t kMinBitWordsPerThread = 512;
constexpr int64_t kMinLabelStarsPerThread = 8192;

}  // namespace

bool StarPaintCache::Prepare(const StarCatalog& catalog) {
  if (catalog.PositionsStamp() != m_positionsStamp) {
    m_positionsStamp = 0;
    m_magnitudesStamp = 0;
    if (!m_grid.Build(catalog.m_pStars, catalog.m_nStars)) return false;
    m_positionsStamp = catalog.PositionsStamp();
  }
  if (catalog.MagnitudesStamp() != m_magnitudesStamp) {
    m_magnitudesStamp = 0;
    try {
      m_grid.RefreshCodes(catalog.m_pStars, catalog.DeferredMagnitudes());
      FindLabelStars(catalog);
    } catch (const std::bad_alloc&) {
      m_grid.Clear();
      m_positionsStamp = 0;
      return false;
    }
    m_magnitudesStamp = catalog.MagnitudesStamp();
  }
  return true;
}

void StarPaintCache::FindLabelStars(const StarCatalog& catalog) {
  // Each chunk of the bits counts its stars, then writes them from where its
  // share begins: the list is made in place, in catalogue order, with no
  // copy of it beside it.
  const Vector3D* position = catalog.DeferredMagnitudes();
  const MagnitudeTables& tables = MagnitudeTables::Get();
  const std::vector<uint64_t>& bits = m_grid.LabelBits().words;
  const int64_t words = static_cast<int64_t>(bits.size());
  const int64_t chunks = ChunkCount(words, kMinBitWordsPerThread, HardwareWorkers());
  auto eachChunk = [&](auto visit) {
    ForEachChunk(chunks, 1, static_cast<unsigned>(chunks), [&](int64_t first, int64_t last) {
      for (int64_t k = first; k < last; ++k)
        visit(k, ChunkBegin(words, chunks, k), ChunkBegin(words, chunks, k + 1));
    });
  };
  std::vector<size_t> starts(static_cast<size_t>(chunks) + 1, 0);
  eachChunk([&](int64_t k, int64_t begin, int64_t end) {
    for (int64_t w = begin; w < end; ++w) starts[k + 1] += static_cast<size_t>(std::popcount(bits[w]));
  });
  for (size_t k = 1; k < starts.size(); ++k) starts[k] += starts[k - 1];
  if (m_labelStars.capacity() < starts.back()) m_labelStars = {};  // not the old list beside the new
  m_labelStars.clear();
  m_labelStars.resize(starts.back());
  eachChunk([&](int64_t k, int64_t begin, int64_t end) {
    LabelStar* into = m_labelStars.data() + starts[k];
    for (int64_t w = begin; w < end; ++w)
      for (uint64_t word = bits[w]; word != 0; word &= word - 1) {
        const int32_t index = static_cast<int32_t>(w * 64 + std::countr_zero(word));
        const StarEntry& star = catalog.m_pStars[index];
        const StarMagnitude values = position != nullptr ? MagnitudeOf(star, tables, *position)
                                                         : StarMagnitude{star.dDistance, star.dAppMagnitude};
        const double m = values.magnitude;
        *into++ = {star.vPos, values.distance, m, index, m < 3.0, m < 5.0 && star.szName[0] != 0};
      }
  });
}

int StarPaintCache::DrawLabels(const StarEntry* stars, int32_t drawCount, const ProjectionSetup& setup,
                               const ScreenFrame& frame, const LabelFlags& flags, ViewPlatform& platform,
                               PixelBuffer& target) {
  const bool names = flags.names != 0 || flags.smallNames != 0 || flags.durchmusterung != 0;
  const bool distances = flags.distances != 0;
  auto choose = [&](const LabelStar& candidate, StarLabel& label) {
    if (!(distances && candidate.bright) && !(names && candidate.named)) return false;
    ProjectedPoint projected{};
    const bool visible = ProjectPoint(candidate.pos, setup.position, setup.forward, setup.scaledRight,
                                      setup.scaledDown, projected);
    // Without a name, or at magnitude 5 or more, a star gets no name: its record is not read.
    const char* name = candidate.named ? stars[candidate.index].szName : "";
    return ChooseStarLabel(candidate.distance, candidate.magnitude, name, visible, projected.x, projected.y,
                           frame, flags, label);
  };
  const auto end = std::lower_bound(m_labelStars.begin(), m_labelStars.end(), drawCount,
                                    [](const LabelStar& star, int32_t count) { return star.index < count; });
  const int64_t count = end - m_labelStars.begin();
  const int64_t chunks = ChunkCount(count, kMinLabelStarsPerThread, HardwareWorkers());
  std::vector<std::vector<StarLabel>>& chosen = m_chosen;  // kept, so that its memory is reused
  bool kept = false;
  try {
    if (chosen.size() < static_cast<size_t>(chunks)) chosen.resize(static_cast<size_t>(chunks));
    for (std::vector<StarLabel>& part : chosen) part.clear();
    std::atomic<bool> outOfMemory{false};
    ForEachChunk(chunks, 1, static_cast<unsigned>(chunks), [&](int64_t first, int64_t last) {
      for (int64_t k = first; k < last; ++k) {
        try {
          StarLabel label;
          for (int64_t i = ChunkBegin(count, chunks, k), stop = ChunkBegin(count, chunks, k + 1); i < stop;
               ++i)
            if (choose(m_labelStars[i], label)) chosen[k].push_back(std::move(label));
        } catch (const std::bad_alloc&) {
          outOfMemory = true;
        }
      }
    });
    kept = !outOfMemory;
  } catch (const std::bad_alloc&) {
  }
  int texts = 0;
  if (kept) {
    for (const std::vector<StarLabel>& part : chosen)
      for (const StarLabel& label : part) texts += DrawChosenLabel(label, platform, target);
    return texts;
  }
  // Without the memory to keep the texts, each is drawn as soon as it is chosen.
  chosen = {};
  StarLabel label;
  for (int64_t i = 0; i < count; ++i)
    if (choose(m_labelStars[i], label)) texts += DrawChosenLabel(label, platform, target);
  return texts;
}
