// The overlays in the view's paint (figures, grid, selection marker): they
// add pixels only where no star and no text is, leave the drawn-star map to
// the stars, go away again when switched off; and the selection: picked by a
// click, followed through travel and turns, cleared, and its commands.
#include <gtest/gtest.h>

#include <set>

#include "ViewFixture.h"
#include "geometry/Projection.h"
#include "interaction/CommandIds.h"
#include "overlay/FigureLayer.h"
#include "overlay/GalacticGridLayer.h"
#include "overlay/SelectionMarker.h"
#include "view/StarUnderPointer.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 160;

class WayfindingView : public ViewTest {
 protected:
  WayfindingView() {
    // Three named stars ahead, one behind the observer, one far to the right.
    LoadMap(NamedStars({{"Alnitak", -1.0, -0.5, 20.0},
                        {"Alnilam", 0.5, 0.25, 20.0},
                        {"Mintaka", 1.5, 1.0, 24.0},
                        {"Behind", 2.0, 0.0, -20.0},
                        {"Aside", 30.0, 0.0, 1.0}}));
    std::vector<FigureStar> stars;
    for (int i = 0; i < 4; ++i) stars.push_back({i, doc.m_catalog.m_pStars[i].vPos});
    view.SetFigures({{"Ori", "Orion", stars, {{0, 1}, {1, 2}, {2, 3}}}});
    platform.markTextPixels = true;  // texts light their first pixel, as real text lights some
    view.OnSize(0, kWidth, kHeight);
  }

  PixelBuffer Paint() {
    view.m_bProjectionDirty = 1;
    view.OnDraw();
    return platform.lastCopy;
  }
  // The star's pixel as the star pass maps it: column, memory row; false off the screen.
  bool StarPixel(int star, int& x, int& r) {
    ProjectedPoint p{};
    const Vector3D down = view.m_vDown * view.m_dZoom;
    const Vector3D right = view.m_vRight * view.m_dZoom;
    int32_t cx = 0, cr = 0;
    if (!ProjectPoint(doc.m_catalog.m_pStars[star].vPos, view.m_vPosition, view.m_vForward, right, down, p) ||
        !ToScreenCoordinate(p.x, kPixelsPerUnit, view.m_nCenterX, cx) ||
        !ToScreenCoordinate(p.y, -kPixelsPerUnit, view.m_nCenterY, cr))
      return false;
    x = cx;
    r = cr;
    return x >= 0 && r >= 0 && x < kWidth && r < kHeight;
  }
  static int Count(const PixelBuffer& frame, uint16_t colour) {
    return static_cast<int>(std::count(frame.words.begin(), frame.words.end(), colour));
  }
  // Marker pixels within radius of (x, r).
  static int MarkerPixelsNear(const PixelBuffer& frame, int x, int r, int radius) {
    int count = 0;
    for (int dr = -radius; dr <= radius; ++dr)
      for (int dx = -radius; dx <= radius; ++dx) {
        const int cx = x + dx, cr = r + dr;
        if (cx >= 0 && cr >= 0 && cx < frame.width && cr < frame.height &&
            frame.words[cr * frame.width + cx] == kMarkerColour)
          ++count;
      }
    return count;
  }
};

TEST_F(WayfindingView, OverlaysAddPixelsOnlyWhereNoStarOrTextIsAndGoAwayAgain) {
  view.m_bNames = 1;
  const PixelBuffer plain = Paint();
  const std::vector<int32_t> plainMap = view.DrawnStars().index;
  ASSERT_GT(Count(plain, kPixelWhite), 10);

  view.OnCommand(cmd::kConstellationFigures);
  view.OnCommand(cmd::kGalacticGrid);
  view.Select(1);
  const PixelBuffer shown = Paint();
  EXPECT_EQ(view.DrawnStars().index, plainMap);  // the pick still names only stars
  // The overlays' lines and marker, and their texts' first pixels.
  const std::set<uint16_t> overlayColours = {kFigureLineColour,
                                             kGridLineColour,
                                             kGridEquatorColour,
                                             kMarkerColour,
                                             ColorRefToPixel(kFigureNameColorRef),
                                             ColorRefToPixel(kGridLabelColorRef)};
  int added = 0;
  for (size_t w = 0; w < plain.words.size(); ++w) {
    if (plain.words[w] != 0) {
      EXPECT_EQ(shown.words[w], plain.words[w]) << w;  // stars and texts as they were
    } else if (shown.words[w] != 0) {
      EXPECT_EQ(overlayColours.count(shown.words[w]), 1u) << w << ": " << shown.words[w];
      ++added;
    }
  }
  EXPECT_GT(Count(shown, kFigureLineColour), 40);
  // The equator is the centre row, but where a star or a text is.
  int equatorRow = 0;
  for (int x = 0; x < kWidth; ++x) {
    const size_t w = static_cast<size_t>(view.m_nCenterY) * kWidth + x;
    equatorRow += shown.words[w] == kGridEquatorColour;
    EXPECT_TRUE(shown.words[w] == kGridEquatorColour || plain.words[w] != 0 ||
                overlayColours.count(shown.words[w]))
        << x;
  }
  EXPECT_GT(equatorRow, kWidth * 9 / 10);
  EXPECT_EQ(Count(shown, kGridEquatorColour), equatorRow);
  EXPECT_GT(Count(shown, kMarkerColour), 10);
  EXPECT_GT(added, 100);
  // The figure's name at the centre of its stars, the grid's longitude where the equator is ahead.
  std::set<std::string> texts;
  for (const RecordedText& text : platform.texts) texts.insert(text.text);
  EXPECT_EQ(texts.count("Orion"), 1u);
  EXPECT_EQ(texts.count("l 0\xB0"), 1u);

  view.OnCommand(cmd::kConstellationFigures);
  view.OnCommand(cmd::kGalacticGrid);
  view.OnCommand(cmd::kClearSelection);
  EXPECT_EQ(Paint().words, plain.words);  // every overlay pixel taken away again
}

TEST_F(WayfindingView, AFigureLineToAStarBehindRunsToTheEdgeOnItsSide) {
  view.OnCommand(cmd::kConstellationFigures);
  const PixelBuffer frame = Paint();
  int x = 0, r = 0;
  ASSERT_TRUE(StarPixel(2, x, r));
  // Mintaka to the star behind (right of the line of sight): the line leaves Mintaka rightwards.
  int rightEdge = 0;
  for (int row = 0; row < kHeight; ++row)
    rightEdge += frame.words[row * kWidth + kWidth - 1] == kFigureLineColour;
  EXPECT_GE(rightEdge, 1);
  int leftEdge = 0;
  for (int row = 0; row < kHeight; ++row) leftEdge += frame.words[row * kWidth] == kFigureLineColour;
  EXPECT_EQ(leftEdge, 0);
}

TEST_F(WayfindingView, WithoutFiguresTheCommandIsGreyedAndDoesNothing) {
  view.SetFigures({});
  RecordingCmdUI ui;
  struct EnableRecorder : RecordingCmdUI {
    int enabled = -1;
    void Enable(bool on) override { enabled = on ? 1 : 0; }
  } figures;
  ASSERT_TRUE(view.OnUpdateCommandUI(cmd::kConstellationFigures, figures));
  EXPECT_EQ(figures.enabled, 0);
  view.OnCommand(cmd::kConstellationFigures);
  EXPECT_EQ(view.m_display.figures, 0);
  EXPECT_EQ(Count(Paint(), kFigureLineColour), 0);
  (void)ui;
}

TEST_F(WayfindingView, TheSwitchesCheckTheirMenuItems) {
  struct EnableRecorder : RecordingCmdUI {
    int enabled = -1;
    void Enable(bool on) override { enabled = on ? 1 : 0; }
  };
  for (int id : {cmd::kConstellationFigures, cmd::kGalacticGrid}) {
    EnableRecorder before;
    view.OnUpdateCommandUI(id, before);
    EXPECT_EQ(before.check, 0) << id;
    view.OnCommand(id);
    EnableRecorder after;
    view.OnUpdateCommandUI(id, after);
    EXPECT_EQ(after.check, 1) << id;
    EXPECT_NE(after.enabled, 0) << id;
  }
  EXPECT_EQ(view.m_bNames + view.m_bSmallNames + view.m_bDurchmusterung, 0);  // no other switch moved
}

TEST_F(WayfindingView, AClickWithoutTurningSelectsTheDrawnStarAndEmptySkyClears) {
  Paint();
  int x = 0, r = 0;
  ASSERT_TRUE(StarPixel(0, x, r));
  const int line = kHeight - 1 - r;  // window line of the star's row
  view.OnLButtonDown(x + 8, line);
  view.OnMouseMove(x, line);  // a turn
  view.OnLButtonUp(x, line);
  EXPECT_EQ(view.m_nSelectedStar, -1);
  Paint();
  ASSERT_TRUE(StarPixel(0, x, r));
  view.OnLButtonDown(x, kHeight - 1 - r);
  view.OnMouseMove(x, kHeight - 1 - r);  // no motion: not a turn
  view.OnLButtonUp(x, kHeight - 1 - r);
  EXPECT_EQ(view.m_nSelectedStar, 0);
  EXPECT_EQ(StarReadoutAt(view, 5, 5), StarReadoutAt(view, x, kHeight - 1 - r));  // empty sky: the selection
  view.OnLButtonDown(5, 5);
  view.OnLButtonUp(5, 5);
  EXPECT_EQ(view.m_nSelectedStar, -1);
  EXPECT_EQ(StarReadoutAt(view, 5, 5), "");
}

TEST_F(WayfindingView, TheMarkerFollowsTheStarThroughTravelAndTurnsAndPointsToItOffScreen) {
  view.Select(1);
  int x = 0, r = 0;
  Paint();
  ASSERT_TRUE(StarPixel(1, x, r));
  EXPECT_GT(MarkerPixelsNear(platform.lastCopy, x, r, kMarkerRadius), 10);

  view.TravelTo(0.3, 0.0, 8.0);
  const PixelBuffer moved = Paint();
  ASSERT_TRUE(StarPixel(1, x, r));
  EXPECT_GT(MarkerPixelsNear(moved, x, r, kMarkerRadius), 10);
  EXPECT_EQ(Count(moved, kMarkerColour), MarkerPixelsNear(moved, x, r, kMarkerRadius));

  view.m_bMagnitudeDrawing = 0;   // drawn or not, the marker stays
  view.LookAt({0.3, 0.0, -5.0});  // turned away: the star is behind
  const PixelBuffer away = Paint();
  ASSERT_FALSE(StarPixel(1, x, r));
  const int markers = Count(away, kMarkerColour);
  EXPECT_GT(markers, 10);
  // All of the arrow near an edge.
  for (size_t w = 0; w < away.words.size(); ++w) {
    if (away.words[w] != kMarkerColour) continue;
    const int cx = static_cast<int>(w) % kWidth;
    const int cr = static_cast<int>(w) / kWidth;
    const int toEdge = std::min({cx, cr, kWidth - 1 - cx, kHeight - 1 - cr});
    EXPECT_LE(toEdge, kEdgeArrowInset + 15) << cx << "," << cr;
  }
}

TEST_F(WayfindingView, TheSelectionCommandsTravelToAndLookAtTheStar) {
  struct EnableRecorder : RecordingCmdUI {
    int enabled = -1;
    void Enable(bool on) override { enabled = on ? 1 : 0; }
  };
  auto enabled = [&](int id) {
    EnableRecorder ui;
    view.OnUpdateCommandUI(id, ui);
    return ui.enabled;
  };
  EXPECT_EQ(enabled(cmd::kTravelToSelection), 0);
  EXPECT_EQ(enabled(cmd::kViewAtSelection), 0);
  view.OnCommand(cmd::kTravelToSelection);  // no selection: nothing
  view.OnCommand(cmd::kViewAtSelection);
  EXPECT_EQ(view.m_vPosition.z, 0.0);
  EXPECT_EQ(view.m_dYaw, 0.0);

  view.Select(4);  // far to the right
  EXPECT_EQ(enabled(cmd::kTravelToSelection), 1);
  EXPECT_EQ(enabled(cmd::kViewAtSelection), 1);
  ASSERT_TRUE(view.OnCommand(cmd::kViewAtSelection));
  CSkyglassView reference(doc, platform);
  reference.LookAt(doc.m_catalog.m_pStars[4].vPos);
  EXPECT_EQ(view.m_dYaw, reference.m_dYaw);
  EXPECT_EQ(view.m_dPitch, reference.m_dPitch);

  ForgetMagnitudes();
  ASSERT_TRUE(view.OnCommand(cmd::kTravelToSelection));
  EXPECT_EQ(view.m_vPosition.x, 30.0);
  EXPECT_EQ(view.m_vPosition.z, 1.0);
  EXPECT_TRUE(MagnitudesRecomputed());
  EXPECT_EQ(view.m_nSelectedStar, 4);  // the observer now stands at it; still selected
  const PixelBuffer there = Paint();
  EXPECT_EQ(Count(there, kMarkerColour), 0);  // nothing to point at from the star itself

  ASSERT_TRUE(view.OnCommand(cmd::kClearSelection));
  EXPECT_EQ(view.m_nSelectedStar, -1);
}

}  // namespace
