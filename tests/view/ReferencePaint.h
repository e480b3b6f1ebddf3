// The view's frame against the straightforward passes: what projecting,
// drawing and labelling every record in catalogue order gives for the view's
// observer and flags.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "FakeViewPlatform.h"
#include "ReferencePasses.h"
#include "RenderTestSupport.h"
#include "render/DrawnStarMap.h"
#include "render/LabelPass.h"
#include "view/SkyglassView.h"

// The straightforward paint of records for the view's observer and flags,
// compared with what the view painted: pixels, drawn-star map, label buffer
// and every text with its place and colour, the magnitudes made for
// magnitudesAt. (The paint from the grid leaves the records' projected
// fields alone, and the faint stars' magnitudes: nothing reads them after it.)
// Returns the reference's records.
inline std::vector<StarEntry> ExpectPaintAsReference(const CSkyglassView& view, const CSkyglassDoc& document,
                                                     const FakeViewPlatform& platform,
                                                     const Vector3D& magnitudesAt) {
  const StarCatalog& catalog = document.m_catalog;
  std::vector<StarEntry> expected(catalog.m_pStars, catalog.m_pStars + catalog.m_nStars);
  reference::UpdateMagnitudes(expected.data(), catalog.m_nStars, magnitudesAt);
  const Vector3D right = view.m_vRight * view.m_dZoom;
  const Vector3D down = view.m_vDown * view.m_dZoom;
  reference::ProjectStars(expected.data(), catalog.m_nStars, view.m_vPosition, view.m_vForward, right, down);
  const ScreenFrame frame{view.m_nWidth, view.m_nHeight, view.m_nCenterX, view.m_nCenterY};
  PixelBuffer stars(view.m_nWidth, view.m_nHeight), labels(view.m_nWidth, view.m_nHeight);
  DrawnStarMap drawn;
  drawn.Resize(view.m_nWidth, view.m_nHeight);
  reference::RenderStars(expected.data(), catalog.m_nStars, frame, view.m_bMagnitudeDrawing,
                         view.m_bMagnitudesValid, stars.Bits(), drawn.Data());
  FakeViewPlatform textPlatform;
  textPlatform.markTextPixels = true;
  const bool labelled = view.m_bMagnitudeDrawing != 0 && view.m_bMagnitudesValid != 0;
  if (labelled)
    DrawStarLabels(expected.data(), catalog.m_nStars, frame,
                   {view.m_bNames, view.m_bSmallNames, view.m_bDistances, view.m_bDurchmusterung},
                   textPlatform, labels);
  MergeLabelBuffer(stars, labels);

  EXPECT_EQ(LitPixels(*view.m_hStarBitmap), LitPixels(stars));
  EXPECT_EQ(view.DrawnStars().index, drawn.index);
  EXPECT_EQ(LitPixels(*view.m_hLabelBitmap), LitPixels(labels));
  EXPECT_EQ(platform.texts, textPlatform.texts);
  return expected;
}
