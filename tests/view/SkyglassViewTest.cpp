// The view's state and paint: defaults, size changes, the no-map screen, and
// which paints recompute, clear, label, merge and copy.
#include "view/SkyglassView.h"

#include <gtest/gtest.h>

#include <string>

#include "RenderTestSupport.h"
#include "ViewFixture.h"
#include "geometry/ViewBasis.h"
#include "render/NoMapScreen.h"

namespace {

constexpr uint16_t W = kPixelWhite;

StarEntry StarAtPosition(double x, double y, double z, double absMagnitude, const char* name = "") {
  StarEntry star{};
  star.vPos = Vector3D(x, y, z);
  star.dAbsMagnitude = absMagnitude;
  std::strncpy(star.szName, name, sizeof star.szName - 1);
  return star;
}

// Stars sit 0.001 to the right of the line of sight: at yaw 0 the right
// vector's z is about -3.5e-15, which would put a star exactly on the z axis
// a hair left of the centre, into column 319.
// 10 light years ahead: the modulus there is 5*log10(10/32.6), about
// -2.57, so an absolute magnitude of 6 appears as about 3.43 (one white pixel)
// and 3 as about 0.43 (a disc of size 4).
constexpr double kFaintAbsolute = 6.0;
constexpr double kBrightAbsolute = 3.0;

TEST_F(ViewTest, ConstructedWithItsDefaults) {
  EXPECT_EQ(view.m_nMagTolerance, 100);
  EXPECT_EQ(view.m_dZoom, 1.0);
  EXPECT_EQ(view.m_hStarBitmap, nullptr);
  EXPECT_EQ(view.m_hLabelBitmap, nullptr);
  EXPECT_EQ(view.m_bBuffersReady, 0);
  EXPECT_EQ(view.m_bDebug, 0);
  EXPECT_EQ(view.m_bNames, 0);
  EXPECT_EQ(view.m_bSmallNames, 0);
  EXPECT_EQ(view.m_bDistances, 0);
  EXPECT_EQ(view.m_bDurchmusterung, 0);
  EXPECT_EQ(view.m_bMagnitudeDrawing, 1);
  EXPECT_EQ(view.m_bMagnitudesValid, 0);
  EXPECT_EQ(view.m_dYaw, 0.0);
  EXPECT_EQ(view.m_dPitch, 0.0);
  EXPECT_EQ(view.m_bProjectionDirty, 1);
  EXPECT_EQ(view.m_nStarCount, 2);
  EXPECT_EQ(view.m_pStarBits, nullptr);
  EXPECT_EQ(view.m_pLabelBits, nullptr);
  const ViewBasis basis = ComputeBasis(0.0, 0.0);
  for (const auto& [actual, expected] :
       {std::pair{view.m_vForward, basis.forward}, std::pair{view.m_vRight, basis.right},
        std::pair{view.m_vDown, basis.down}}) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.z, expected.z);
  }
  EXPECT_EQ(view.m_vPosition.x, 0.0);
  EXPECT_EQ(view.m_vPosition.y, 0.0);
  EXPECT_EQ(view.m_vPosition.z, 0.0);
  EXPECT_EQ(platform.invalidations, 0);
}

TEST_F(ViewTest, EvenWidthSizeChangeMakesBuffers) {
  struct Row {
    const char* name;
    int cx, cy;
    int width, height, centerX, centerY, pixels;
  };
  const std::vector<Row> rows = {
      {"Standard", 640, 480, 640, 480, 320, 240, 307200},
      {"OddHeight", 640, 479, 640, 479, 320, 239, 306560},
      {"Tiny", 2, 1, 2, 1, 1, 0, 2},
      {"Empty", 0, 0, 0, 0, 0, 0, 0},
      {"NegativeCountsAsEmpty", -4, -2, 0, 0, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    view.m_bProjectionDirty = 0;
    const int invalidationsBefore = platform.invalidations;
    view.OnSize(0, row.cx, row.cy);
    EXPECT_EQ(view.m_nWidth, row.width);
    EXPECT_EQ(view.m_nHeight, row.height);
    EXPECT_EQ(view.m_nCenterX, row.centerX);
    EXPECT_EQ(view.m_nCenterY, row.centerY);
    EXPECT_EQ(view.m_nPixels, row.pixels);
    for (const auto* buffer : {view.m_hStarBitmap.get(), view.m_hLabelBitmap.get()}) {
      ASSERT_NE(buffer, nullptr);
      EXPECT_EQ(buffer->width, row.width);
      EXPECT_EQ(buffer->height, row.height);
      EXPECT_EQ(buffer->words.size(), static_cast<size_t>(row.pixels));
    }
    EXPECT_EQ(view.m_pStarBits, view.m_hStarBitmap->Bits());
    EXPECT_EQ(view.m_pLabelBits, view.m_hLabelBitmap->Bits());
    EXPECT_EQ(view.m_bProjectionDirty, 1);
    EXPECT_EQ(platform.invalidations, invalidationsBefore + 1);
  }
}

TEST_F(ViewTest, OddWidthSizeChangeChangesNothing) {
  view.OnSize(0, 641, 480);  // before any buffer exists
  EXPECT_EQ(view.m_hStarBitmap, nullptr);
  EXPECT_EQ(view.m_nWidth, 0);
  EXPECT_EQ(platform.invalidations, 0);

  view.OnSize(0, 640, 480);
  view.m_bProjectionDirty = 0;
  const PixelBuffer* stars = view.m_hStarBitmap.get();
  const PixelBuffer* labels = view.m_hLabelBitmap.get();
  view.OnSize(0, 641, 300);
  EXPECT_EQ(view.m_hStarBitmap.get(), stars);
  EXPECT_EQ(view.m_hLabelBitmap.get(), labels);
  EXPECT_EQ(view.m_nWidth, 640);
  EXPECT_EQ(view.m_nHeight, 480);
  EXPECT_EQ(view.m_nCenterY, 240);
  EXPECT_EQ(view.m_nPixels, 307200);
  EXPECT_EQ(view.m_bProjectionDirty, 0);
  EXPECT_EQ(platform.invalidations, 1);
}

TEST_F(ViewTest, NoMapPaintShowsOnlyTheMessage) {
  doc.m_bMapPresent = 0;
  view.OnSize(0, 800, 600);
  std::fill(view.m_hStarBitmap->words.begin(), view.m_hStarBitmap->words.end(), 0x1234);
  view.OnDraw();

  const std::string message =
      "No map present!\nThere needs to be a 'map.smp' in the same directory as this program. ";
  EXPECT_EQ(message.size(), 85u);
  EXPECT_EQ(kNoMapMessage, message);
  ASSERT_EQ(platform.filledRects.size(), 1u);
  EXPECT_EQ(platform.filledRects[0].left, 0);
  EXPECT_EQ(platform.filledRects[0].top, 0);
  EXPECT_EQ(platform.filledRects[0].right, 640);
  EXPECT_EQ(platform.filledRects[0].bottom, 480);
  EXPECT_EQ(platform.fillColors, std::vector<uint32_t>{0});
  ASSERT_EQ(platform.windowTexts.size(), 1u);
  EXPECT_EQ(platform.windowTexts[0].x, 20);
  EXPECT_EQ(platform.windowTexts[0].y, 20);
  EXPECT_EQ(platform.windowTexts[0].text, message);
  EXPECT_EQ(platform.windowTexts[0].colorRef, 255u);

  // Nothing else: no copy, no state change, no buffer touched.
  EXPECT_EQ(platform.copies, 0);
  EXPECT_EQ(view.m_bBuffersReady, 0);
  EXPECT_EQ(view.m_bMagnitudesValid, 0);
  EXPECT_EQ(view.m_bProjectionDirty, 1);
  EXPECT_EQ(view.m_nStarCount, 2);
  EXPECT_TRUE(std::all_of(view.m_hStarBitmap->words.begin(), view.m_hStarBitmap->words.end(),
                          [](uint16_t w) { return w == 0x1234; }));
}

TEST_F(ViewTest, NoMapPaintGivesTheReasonOnTheThirdLine) {
  doc.m_bMapPresent = 0;  // a new document, and unused.smp does not exist
  doc.OnNewDocument();
  view.OnSize(0, 640, 480);
  view.OnDraw();
  ASSERT_EQ(platform.windowTexts.size(), 2u);
  EXPECT_EQ(platform.windowTexts[0], (RecordedText{20, 20, std::string(kNoMapMessage), 255u}));
  // Two empty lines from the message's corner put the reason below its two lines.
  EXPECT_EQ(platform.windowTexts[1],
            (RecordedText{20, 20, "\n\nunused.smp: cannot open the file: No such file or directory", 255u}));
  // The two lines as they always were; the reason goes on below where it is too long for its line.
  EXPECT_EQ(platform.windowTextBreaks,
            (std::vector<TextBreaks>{TextBreaks::AtNewlines, TextBreaks::AtNewlinesAndWords}));
}

TEST_F(ViewTest, FirstPaintComputesMagnitudesAndDrawsTheFrame) {
  LoadMap({StarAtPosition(0.001, 0, 10, kFaintAbsolute)});
  view.OnSize(0, 640, 480);
  view.OnDraw();

  EXPECT_EQ(view.m_bBuffersReady, 1);
  EXPECT_EQ(view.m_bMagnitudesValid, 1);
  EXPECT_EQ(view.m_bProjectionDirty, 0);
  EXPECT_EQ(view.m_nStarCount, 1);
  doc.m_catalog.WriteMagnitudesOf(0);
  EXPECT_NEAR(Star(0).dDistance, 10.0, 1e-6);
  EXPECT_EQ(LitPixels(*view.m_hStarBitmap), (std::vector<LitPixel>{{320, 240, W}}));
  EXPECT_EQ(platform.copies, 1);
  EXPECT_EQ(platform.lastCopy.words, view.m_hStarBitmap->words);
}

TEST_F(ViewTest, MagnitudesAreComputedOnlyAtTheFirstPaint) {
  LoadMap({StarAtPosition(0.001, 0, 10, kFaintAbsolute)});
  view.OnSize(0, 640, 480);
  view.OnDraw();
  const double firstMagnitude = Star(0).dAppMagnitude;
  doc.m_catalog.m_pStars[0].dAbsMagnitude = -20.0;
  view.m_bProjectionDirty = 1;
  view.OnDraw();
  EXPECT_EQ(Star(0).dAppMagnitude, firstMagnitude);
}

TEST_F(ViewTest, CleanPaintOnlyCopies) {
  LoadMap({StarAtPosition(0.001, 0, 10, kFaintAbsolute)});
  view.OnSize(0, 640, 480);
  view.m_bNames = 1;
  view.OnDraw();
  const std::vector<uint16_t> stars = view.m_hStarBitmap->words;
  const std::vector<uint16_t> labels = view.m_hLabelBitmap->words;
  const size_t textsBefore = platform.texts.size();

  doc.m_catalog.m_pStars[0].vPos = Vector3D(3, 2, 10);
  doc.m_catalog.m_pStars[0].dProjX = 0.1;
  view.OnDraw();

  EXPECT_EQ(view.m_hStarBitmap->words, stars);
  EXPECT_EQ(view.m_hLabelBitmap->words, labels);
  EXPECT_EQ(Star(0).dProjX, 0.1);  // not projected again
  EXPECT_EQ(platform.texts.size(), textsBefore);
  EXPECT_EQ(platform.copies, 2);
  EXPECT_EQ(platform.lastCopy.words, stars);
}

TEST_F(ViewTest, EmptyMapPaintsBlack) {
  LoadMap({});
  view.OnSize(0, 64, 48);
  std::fill(view.m_hStarBitmap->words.begin(), view.m_hStarBitmap->words.end(), 0x1234);
  std::fill(view.m_hLabelBitmap->words.begin(), view.m_hLabelBitmap->words.end(), 0x1234);
  view.OnDraw();
  EXPECT_EQ(view.m_nStarCount, 0);
  EXPECT_TRUE(LitPixels(*view.m_hStarBitmap).empty());
  EXPECT_TRUE(LitPixels(*view.m_hLabelBitmap).empty());
  EXPECT_TRUE(LitPixels(platform.lastCopy).empty());
}

TEST_F(ViewTest, ProjectionUsesTheZoomedRightAndDown) {
  // Offsets chosen half a pixel off the grid: (0.502, -0.498) at depth 4 and
  // zoom 2 projects to (0.251, 0.249), column 445.5 and row 115.5.
  LoadMap({StarAtPosition(0.502, -0.498, 4, kFaintAbsolute)});
  view.OnSize(0, 640, 480);
  view.m_bMagnitudeDrawing = 0;
  view.m_dZoom = 2.0;
  view.OnDraw();
  EXPECT_EQ(LitPixels(*view.m_hStarBitmap), (std::vector<LitPixel>{{445, 115, W}}));
}

TEST_F(ViewTest, LabelsNeedMagnitudeDrawingAndCurrentMagnitudes) {
  struct Row {
    const char* name;
    int magnitudeDrawing;
    bool staleRepaint;
    size_t texts;
  };
  const std::vector<Row> rows = {
      {"DrawingOnAndCurrent", 1, false, 1},
      {"DrawingOff", 0, false, 0},
      {"StaleMagnitudes", 1, true, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CSkyglassDoc labelledDoc;
    FillCatalog(labelledDoc.m_catalog, {StarAtPosition(0.001, 0, 10, kBrightAbsolute, "Sol")});
    labelledDoc.m_bMapPresent = 1;
    FakeViewPlatform fake;
    CSkyglassView labelledView(labelledDoc, fake);
    labelledView.OnSize(0, 640, 480);
    labelledView.m_bNames = 1;
    labelledView.m_bMagnitudeDrawing = row.magnitudeDrawing;
    labelledView.OnDraw();
    if (row.staleRepaint) {
      fake.texts.clear();
      labelledView.m_bMagnitudesValid = 0;
      labelledView.m_bProjectionDirty = 1;
      labelledView.OnDraw();
    }
    EXPECT_EQ(fake.texts.size(), row.texts);
  }
}

TEST_F(ViewTest, StaleMagnitudesDrawSinglePixelsWhereDiscsWere) {
  LoadMap({StarAtPosition(0.001, 0, 10, kBrightAbsolute)});
  view.OnSize(0, 640, 480);
  view.OnDraw();
  EXPECT_GT(LitPixels(*view.m_hStarBitmap).size(), 1u);  // a disc
  view.m_bMagnitudesValid = 0;                           // as while travelling faster than the tolerance
  view.m_bProjectionDirty = 1;
  view.OnDraw();
  EXPECT_EQ(LitPixels(*view.m_hStarBitmap), (std::vector<LitPixel>{{320, 240, W}}));
}

TEST_F(ViewTest, LabelsAreMergedOntoTheStars) {
  LoadMap({StarAtPosition(0.001, 0, 10, kBrightAbsolute, "Sol")});
  view.OnSize(0, 640, 480);
  view.m_bNames = 1;
  view.m_bDistances = 1;
  platform.markTextPixels = true;  // one pixel of text colour at each label point
  view.OnDraw();
  // Name point (320, 240) is inside the size-4 disc: blue over white stays white.
  EXPECT_EQ(platform.lastCopy.AtWindow(320, 240), W);
  // Distance point (320, 229) is black in the star pass: it takes the orange.
  EXPECT_EQ(platform.lastCopy.AtWindow(320, 229), ColorRefToPixel(kColorOrange));
  EXPECT_EQ(view.m_hLabelBitmap->AtWindow(320, 240), ColorRefToPixel(kColorBlue));
}

TEST_F(ViewTest, PaintsSafelyWithoutOrWithEmptyBuffers) {
  LoadMap({StarAtPosition(0.001, 0, 10, kBrightAbsolute, "Sol")});
  view.m_bNames = 1;
  view.m_bDistances = 1;
  platform.markTextPixels = true;
  view.OnDraw();  // no size change yet: no buffers to draw into or copy
  EXPECT_EQ(platform.copies, 0);
  EXPECT_EQ(view.m_bProjectionDirty, 0);

  view.OnSize(0, 0, 0);
  view.OnDraw();
  EXPECT_EQ(platform.copies, 1);
  EXPECT_TRUE(platform.lastCopy.words.empty());
}

}  // namespace
