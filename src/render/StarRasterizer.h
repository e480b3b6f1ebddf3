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

// Draws the first count records into bits, a buffer of frame.width x
// frame.height words. When magnitudeDrawing or magnitudesValid is 0 every
// star that lands in the buffer becomes one white pixel. When drawn is not
// null, every pixel written also records the star's index there (a buffer of
// the same size and layout). With layers, large catalogues are drawn on up
// to workers threads (0: one per hardware thread); the result is the same.
void RenderStars(const StarEntry* stars, int count, const ScreenFrame& frame, int magnitudeDrawing,
                 int magnitudesValid, uint16_t* bits, int32_t* drawn = nullptr, StarLayers* layers = nullptr,
                 unsigned workers = 0);

// The projection of the first projectCount records for setup (as
// StarCatalog::ProjectStars), and RenderStars of the first count of them
// (count <= projectCount), in one pass over the records.
void ProjectAndRenderStars(StarEntry* stars, int projectCount, const ProjectionSetup& setup, int count,
                           const ScreenFrame& frame, int magnitudeDrawing, int magnitudesValid,
                           uint16_t* bits, int32_t* drawn = nullptr, StarLayers* layers = nullptr,
                           unsigned workers = 0);
