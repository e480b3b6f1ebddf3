// RenderStars: turns the projected stars into pixels of the bottom-up star
// buffer, by apparent magnitude: white discs, white or grey single pixels,
// or nothing. ProjectAndRenderStars does the projection in the same pass.
#pragma once

#include <cstdint>

#include "catalog/StarEntry.h"
#include "catalog/StarKernels.h"
#include "render/ScreenMapping.h"
#include "render/StarLayers.h"

// Fewest records the star pass gives a thread of its own.
inline constexpr int32_t kMinStarsPerPaintThread = 32768;

// Most buffer pixels per record for which the star pass still draws on
// several threads: merging the layers costs about a pass over the pixels,
// which only pays when there are enough stars to share out.
inline constexpr int64_t kMaxPixelsPerStarForLayers = 4;

// How the star pass may split its work over threads. Without layers, or
// for too few stars per pixel, it draws on the calling thread alone (a
// projection in the same call is still split).
struct StarPassThreads {
  StarLayers* layers = nullptr;
  unsigned workers = 0;  // 0: one per hardware thread
  int32_t minStarsPerThread = kMinStarsPerPaintThread;
  int64_t maxPixelsPerStar = kMaxPixelsPerStarForLayers;
};

// Draws the first count records into bits, a buffer of frame.width x
// frame.height words. When magnitudeDrawing or magnitudesValid is 0 every
// star that lands in the buffer becomes one white pixel. When drawn is not
// null, every pixel written also records the star's index there (a buffer of
// the same size and layout). Split over threads as threads allows, the
// result is the same.
void RenderStars(const StarEntry* stars, int count, const ScreenFrame& frame, int magnitudeDrawing,
                 int magnitudesValid, uint16_t* bits, int32_t* drawn = nullptr,
                 const StarPassThreads& threads = {});

// The projection of the first projectCount records for setup (as
// StarCatalog::ProjectStars), and RenderStars of the first count of them
// (count <= projectCount), in one pass over the records.
void ProjectAndRenderStars(StarEntry* stars, int projectCount, const ProjectionSetup& setup, int count,
                           const ScreenFrame& frame, int magnitudeDrawing, int magnitudesValid,
                           uint16_t* bits, int32_t* drawn = nullptr, const StarPassThreads& threads = {});
