// CSkyglassView's state, buffers and paint: the constructor's defaults, the
// buffers made at every even-width size change, and OnDraw, which recomputes
// the frame only when the projection is out of date.
#include "view/SkyglassView.h"

#include <algorithm>

#include "geometry/ViewBasis.h"
#include "render/FrameClear.h"
#include "render/LabelPass.h"
#include "render/NoMapScreen.h"
#include "render/StarRasterizer.h"

namespace {

// The records painting may walk: m_nStarCount, but never past the catalogue.
int PaintableStarCount(const CSkyglassView& view, const StarCatalog& catalog) {
  return std::clamp(view.m_nStarCount, 0, catalog.m_nStars);
}

ScreenFrame FrameOf(const CSkyglassView& view) {
  return {view.m_nWidth, view.m_nHeight, view.m_nCenterX, view.m_nCenterY};
}

}  // namespace

CSkyglassView::CSkyglassView(CSkyglassDoc& document, ViewPlatform& platform)
    : m_nMagTolerance(100),
      m_dZoom(1.0),
      m_bBuffersReady(0),
      m_bDebug(0),
      m_bMagnitudesValid(0),
      m_dYaw(0.0),
      m_dPitch(0.0),
      m_bProjectionDirty(1),
      m_nStarCount(2),
      m_document(document),
      m_platform(platform) {
  SetLookAngles(m_dYaw, m_dPitch);
}

void CSkyglassView::SetLookAngles(double yaw, double pitch) {
  m_dYaw = yaw;
  m_dPitch = pitch;
  ComputeBasis(m_dYaw, m_dPitch, m_vForward, m_vRight, m_vDown);
}

ProjectionSetup CSkyglassView::ZoomedSetup() const {
  return {m_vPosition, m_vForward, m_vRight * m_dZoom, m_vDown * m_dZoom};
}

void CSkyglassView::OnSize(int /*type*/, int cx, int cy) {
  // The buffers are addressed as flat arrays, which needs an even width; the
  // frame corrects an odd width and a corrected size change follows.
  if ((cx & 1) != 0) return;
  m_nWidth = std::max(cx, 0);
  m_nHeight = std::max(cy, 0);
  m_nCenterX = m_nWidth >> 1;
  m_nCenterY = m_nHeight >> 1;
  m_nPixels = m_nWidth * m_nHeight;
  m_hStarBitmap = std::make_unique<PixelBuffer>(m_nWidth, m_nHeight);
  m_hLabelBitmap = std::make_unique<PixelBuffer>(m_nWidth, m_nHeight);
  m_pStarBits = m_hStarBitmap->Bits();
  m_pLabelBits = m_hLabelBitmap->Bits();
  m_starFrame.Attach(*m_hStarBitmap);
  m_bLabelBufferBlack = 0;  // the first paint makes sure
  m_bProjectionDirty = 1;
  m_platform.Invalidate();
}

// A recomputing paint, step by step: the label buffer and the star frame
// cleared, the stars drawn, their labels drawn and merged over them; then
// every paint copies the star buffer to the window.
void CSkyglassView::OnDraw() {
  if (m_document.m_bMapPresent == 0) {
    DrawNoMapScreen();
    return;
  }
  if (m_bBuffersReady == 0) {  // first paint with a map
    m_document.m_catalog.UpdateMagnitudes(m_vPosition);
    m_bMagnitudesValid = 1;
    m_bBuffersReady = 1;
  }
  if (m_bProjectionDirty != 0) {
    m_nStarCount = m_document.GetStarCount();
    m_bProjectionDirty = 0;
    ClearLabelBuffer();
    m_starFrame.Clear();
    PaintStars(ZoomedSetup());
    DrawLabels();
    DrawWayfinding();
    MergeLabels();
  }
  if (m_hStarBitmap) m_platform.CopyToWindow(*m_hStarBitmap);
}

void CSkyglassView::ClearLabelBuffer() {
  if (m_hLabelBitmap && m_bLabelBufferBlack == 0) ClearToBlack(*m_hLabelBitmap);
  m_bLabelBufferBlack = 1;
}

void CSkyglassView::RenderStars() {
  if (!m_hStarBitmap) return;
  StarCatalog& catalog = m_document.m_catalog;
  catalog.WriteAllMagnitudes();
  ::RenderStars(catalog.m_pStars, PaintableStarCount(*this, catalog), FrameOf(*this), m_bMagnitudeDrawing,
                m_bMagnitudesValid, m_starFrame.Bits(), m_starFrame.Drawn(), {&m_starLayers});
  m_starFrame.WroteUnnoted();
}

void CSkyglassView::PaintStars(const ProjectionSetup& setup) {
  StarCatalog& catalog = m_document.m_catalog;
  m_paintSetup = setup;
  m_bPaintedFromCache = 0;
  if (!m_hStarBitmap) {
    catalog.ProjectStars(setup.position, setup.forward, setup.scaledRight, setup.scaledDown);
    return;
  }
  const bool byMagnitude = m_bMagnitudeDrawing != 0 && m_bMagnitudesValid != 0;
  if (m_bColours != 0) m_starColours.Prepare(catalog);
  const StarColours* colours = m_bColours != 0 ? &m_starColours : nullptr;
  if (m_paintCache.Prepare(catalog)) {
    m_paintCache.PaintStars(setup, PaintableStarCount(*this, catalog), FrameOf(*this), m_starFrame,
                            byMagnitude, colours);
    m_bPaintedFromCache = 1;
    return;
  }
  // Without the memory for the cache, the records are projected and drawn in
  // one pass, then tinted by their stars' classes.
  catalog.WriteAllMagnitudes();
  ::ProjectAndRenderStars(catalog.m_pStars, catalog.m_nStars, setup, PaintableStarCount(*this, catalog),
                          FrameOf(*this), m_bMagnitudeDrawing, m_bMagnitudesValid, m_starFrame.Bits(),
                          m_starFrame.Drawn(), {&m_starLayers});
  if (colours != nullptr) colours->Tint(m_starFrame.Bits(), m_starFrame.Drawn(), m_starFrame.Words());
  m_starFrame.WroteUnnoted();
}

void CSkyglassView::DrawLabels() {
  const bool anyLabels = m_bNames != 0 || m_bSmallNames != 0 || m_bDistances != 0;
  if (!anyLabels || m_bMagnitudeDrawing == 0 || m_bMagnitudesValid == 0 || !m_hLabelBitmap) return;
  StarCatalog& catalog = m_document.m_catalog;
  const LabelFlags flags{m_bNames, m_bSmallNames, m_bDistances, m_bDurchmusterung};
  const int count = PaintableStarCount(*this, catalog);
  const int texts =
      m_bPaintedFromCache != 0
          ? m_paintCache.DrawLabels(catalog.m_pStars, count, m_paintSetup, FrameOf(*this), flags, m_platform,
                                    *m_hLabelBitmap)
          : DrawStarLabels(catalog.m_pStars, count, FrameOf(*this), flags, m_platform, *m_hLabelBitmap);
  if (texts > 0) m_bLabelBufferBlack = 0;
}

// A black label buffer adds nothing.
void CSkyglassView::MergeLabels() {
  if (m_bLabelBufferBlack != 0 || !m_hStarBitmap || !m_hLabelBitmap) return;
  m_starFrame.MergeLabels(*m_hLabelBitmap);
}

void CSkyglassView::DrawNoMapScreen() { ::DrawNoMapScreen(m_platform, m_document.MapFailure()); }
