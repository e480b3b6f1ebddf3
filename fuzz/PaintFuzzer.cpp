// Fuzz target for the paint path: random records (NaN, infinities, huge and
// tiny values and map files' whole millionths included), a random observer, buffer size, thread count, split
// size and layer threshold go through the magnitudes, the fused projection
// and star pass and the label choice, and through the star grid: its pass
// with a random sharing out (threads, bands, rounds) and the label pass of
// the paint cache. The records, pixels, drawn-star map and texts must equal
// those of the one-thread reference passes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FakeViewPlatform.h"
#include "ReferencePasses.h"
#include "catalog/StarCatalog.h"
#include "render/DrawnStarMap.h"
#include "render/GridPaint.h"
#include "render/LabelPass.h"
#include "render/StarFrame.h"
#include "render/StarGrid.h"
#include "render/StarPaintCache.h"
#include "render/StarRasterizer.h"

namespace {

// A double that is often ordinary and sometimes any bit pattern at all.
double AnyDouble(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return std::bit_cast<double>(data.ConsumeIntegral<uint64_t>());
    case 1:
      return data.ConsumeFloatingPointInRange(-3.0, 3.0);
    default:
      return data.ConsumeFloatingPointInRange(-2200.0, 2200.0);
  }
}

Vector3D AnyVector(FuzzedDataProvider& data) {
  const double x = AnyDouble(data);
  const double y = AnyDouble(data);
  return Vector3D(x, y, AnyDouble(data));
}

// A star's position: often whole millionths of a light year in each
// coordinate, as a map file holds them, else any vector.
Vector3D AnyPosition(FuzzedDataProvider& data) {
  if (!data.ConsumeBool()) return AnyVector(data);
  auto millionths = [&] { return static_cast<double>(data.ConsumeIntegral<int32_t>()) * 1e-6; };
  const double x = millionths();
  const double y = millionths();
  return Vector3D(x, y, millionths());
}

// Aborts, naming the line of the comparison, when the two paints differ.
void Check(bool same, int line = __builtin_LINE()) {
  if (same) return;
  std::fprintf(stderr, "PaintFuzzer.cpp:%d: the paints differ\n", line);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  const int width = data.ConsumeIntegralInRange(2, 300);
  const int height = data.ConsumeIntegralInRange(1, 300);
  const ScreenFrame frame{width, height, width >> 1, height >> 1};
  const StarPassThreads threads{nullptr, data.ConsumeIntegralInRange(1u, 8u),
                                data.ConsumeIntegralInRange(1, 300),
                                data.ConsumeIntegralInRange<int64_t>(0, 1 << 20)};
  const int magnitudeDrawing = data.ConsumeBool() ? 1 : 0;
  const LabelFlags flags{data.ConsumeBool(), data.ConsumeBool(), data.ConsumeBool(), data.ConsumeBool()};
  const GridPaintSplit gridSplit{data.ConsumeIntegralInRange(1u, 4u), data.ConsumeIntegralInRange(0u, 4000u),
                                 data.ConsumeIntegralInRange(1u, 5000u),
                                 data.ConsumeIntegralInRange(1u, 100000u)};
  const ProjectionSetup setup{AnyVector(data), AnyVector(data), AnyVector(data), AnyVector(data)};
  const int count = data.ConsumeIntegralInRange(0, 3000);
  const int drawCount = count - data.ConsumeIntegralInRange(0, count);

  std::vector<StarEntry> expected(static_cast<size_t>(count));
  const size_t recordBytes = expected.size() * sizeof(StarEntry);
  if (count > 0) std::memset(static_cast<void*>(expected.data()), 0, recordBytes);  // padding too
  for (StarEntry& star : expected) {
    star.vPos = AnyPosition(data);
    star.dAbsMagnitude = AnyDouble(data);
    star.dProjX = AnyDouble(data);
    star.dProjY = AnyDouble(data);
    star.bVisible = data.ConsumeIntegral<int32_t>();
    const std::string name = data.ConsumeRandomLengthString(sizeof star.szName - 1);
    std::memcpy(star.szName, name.data(), name.size());
  }

  StarCatalog catalog;
  if (!catalog.Allocate(count)) return 0;
  if (count > 0) std::memcpy(static_cast<void*>(catalog.m_pStars), expected.data(), recordBytes);
  catalog.UpdateMagnitudes(setup.position);
  catalog.WriteAllMagnitudes();  // the record passes below read every star's magnitude
  reference::UpdateMagnitudes(expected.data(), count, setup.position);

  const size_t words = static_cast<size_t>(width) * static_cast<size_t>(height);
  std::vector<uint16_t> expectedBits(words, 0), bits(words, 0);
  std::vector<int32_t> expectedDrawn(words, DrawnStarMap::kNoStar), drawn(words, DrawnStarMap::kNoStar);
  reference::ProjectStars(expected.data(), count, setup.position, setup.forward, setup.scaledRight,
                          setup.scaledDown);
  reference::RenderStars(expected.data(), drawCount, frame, magnitudeDrawing, 1, expectedBits.data(),
                         expectedDrawn.data());
  StarLayers layers;
  StarPassThreads withLayers = threads;
  withLayers.layers = &layers;
  ProjectAndRenderStars(catalog.m_pStars, count, setup, drawCount, frame, magnitudeDrawing, 1, bits.data(),
                        drawn.data(), withLayers);
  Check(count == 0 || std::memcmp(catalog.m_pStars, expected.data(), recordBytes) == 0);
  Check(bits == expectedBits);
  Check(drawn == expectedDrawn);

  FakeViewPlatform expectedPlatform, platform;
  expectedPlatform.markTextPixels = platform.markTextPixels = true;
  PixelBuffer expectedLabels(width, height), labels(width, height);
  const int expectedTexts =
      DrawStarLabels(expected.data(), drawCount, frame, flags, expectedPlatform, expectedLabels);
  const int texts = DrawStarLabels(catalog.m_pStars, drawCount, frame, flags, platform, labels);
  Check(texts == expectedTexts && texts == static_cast<int>(platform.texts.size()));
  Check(platform.texts == expectedPlatform.texts);
  Check(labels.words == expectedLabels.words);

  // The same from the star grid, whose pass reads of the records only the
  // positions that are not whole millionths.
  StarGrid grid;
  if (!grid.Build(catalog.m_pStars, count)) return 0;
  grid.RefreshCodes(catalog.m_pStars, catalog.DeferredMagnitudes());  // as the view refreshes them
  GridPaint gridPaint;
  PixelBuffer pixels(width, height);
  std::fill(pixels.words.begin(), pixels.words.end(), uint16_t{0x1234});
  StarFrame target;
  target.Attach(pixels);
  target.Clear();
  gridPaint.Paint(grid, setup, drawCount, frame, target, magnitudeDrawing != 0, nullptr, gridSplit);
  Check(pixels.words == expectedBits);
  Check(target.DrawnStars().index == expectedDrawn);

  StarPaintCache cache;
  if (!cache.Prepare(catalog)) return 0;
  FakeViewPlatform cachePlatform;
  cachePlatform.markTextPixels = true;
  PixelBuffer cacheLabels(width, height);
  const int cacheTexts =
      cache.DrawLabels(catalog.m_pStars, drawCount, setup, frame, flags, cachePlatform, cacheLabels);
  Check(cacheTexts == expectedTexts && cachePlatform.texts == expectedPlatform.texts);
  Check(cacheLabels.words == expectedLabels.words);
  return 0;
}
