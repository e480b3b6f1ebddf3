// CSkyglassView: the application's one view. It owns the observer (position,
// angles, basis, zoom), the display flags, the selected star and the two
// pixel buffers, paints the catalogue of its document with the overlays, and
// handles the commands and input that change what is seen. Every platform
// operation goes through ViewPlatform.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "catalog/SkyglassDoc.h"
#include "catalog/StarKernels.h"
#include "geometry/Vector3D.h"
#include "interaction/DisplayOptions.h"
#include "interaction/WheelNotches.h"
#include "overlay/WayfindingLayers.h"
#include "render/DrawnStarMap.h"
#include "render/PixelBuffer.h"
#include "render/StarColours.h"
#include "render/StarFrame.h"
#include "render/StarLayers.h"
#include "render/StarPaintCache.h"
#include "render/ViewPlatform.h"
#include "command/CommandUI.h"

struct DragPoint {
  int x;
  int y;
};

class CSkyglassView {
 public:
  CSkyglassView(CSkyglassDoc& document, ViewPlatform& platform);

  CSkyglassDoc& GetDocument() { return m_document; }

  // --- Painting and size (rendering) ---
  void OnSize(int type, int cx, int cy);
  void OnDraw();
  void RenderStars();  // the star pass over the records as ProjectStars last projected them
  void DrawLabels();
  void MergeLabels();
  void DrawNoMapScreen();

  // --- Command routing: the view's message map ---
  // True when the view handles the command (and has run it).
  bool OnCommand(int id);
  // True when OnCommand handles the id: its menu items and buttons are enabled.
  static bool HandlesCommand(int id);
  // True when the view has an update handler for the command (and has run it).
  bool OnUpdateCommandUI(int id, CCmdUI& cmdUI);

  // --- The observer's orientation ---
  // Sets the angles (radians) and makes the basis from them: every change of
  // the angles goes through here, so m_vForward, m_vRight and m_vDown are
  // always ComputeBasis of m_dYaw and m_dPitch.
  void SetLookAngles(double yaw, double pitch);
  // What a recomputing paint projects for: the position, the line of sight
  // and the right and down vectors scaled by the zoom.
  ProjectionSetup ZoomedSetup() const;

  // --- Display toggles and zoom ---
  void OnNames();
  void OnSmallNames();
  void OnDurchmusterung();
  void OnDistances();
  void OnMagnitudeDrawing();
  void OnStarColours();
  void OnConstellationFigures();  // does nothing without figures
  void OnGalacticGrid();
  void OnDebug();
  void OnZoom(double factor);
  void OnUpdateZoomField(CCmdUI& cmdUI);

  // --- Mouse look and double-click zoom (client pixels) ---
  void OnLButtonDown(int x, int y);
  void OnLButtonUp(int x, int y);
  void OnMouseMove(int x, int y);
  void OnLButtonDblClk(int x, int y);
  void OnRButtonDblClk(int x, int y);
  // A wheel turn of angleDelta units (120 a notch, positive away from the
  // user): each whole notch zooms like a left (away) or right (towards)
  // double-click at (x, y). Ignored during a drag, which also drops any part
  // of a notch carried so far.
  void OnMouseWheel(int x, int y, int angleDelta);

  // --- Keyboard travel and the Options dialog ---
  void OnKeyDown(int virtualKey);
  // A held travel key's step is on the screen: the repeats that came while it
  // was handled and drawn are merged into it, and count as a press now for
  // the tolerance, so a slow step does not make the next one late (and make
  // it recompute the magnitudes, slow again).
  void OnHeldTravelStepShown();
  void OnKeyUp(int virtualKey);
  void OnOptions();

  // --- Navigation dialogs ---
  void OnTravelToPoint();
  void OnTravelToStar();
  void OnViewToStar();
  void OnViewDirection();
  // --- The selected star ---
  // Travel to the selected star, look at it, forget it; nothing without one.
  void OnTravelToSelection();
  void OnViewAtSelection();
  void OnClearSelection();
  // Selects star (a catalogue index, or -1 for none), redrawing when that changes it.
  void Select(int32_t star);
  // The figures the figure layer draws, once read from their file.
  void SetFigures(std::vector<ConstellationFigure> figures);
  bool HasFigures() const { return m_wayfinding.Figures().HasFigures(); }

  // What the travel and look commands do once a destination is known.
  void TravelTo(double x, double y, double z);  // recomputes the magnitudes while they are drawn
  bool LookAt(const Vector3D& target);          // false, changing nothing, from the target itself

  // Members, in the order of the view's state.
  int m_nMagTolerance;
  double m_dZoom;
  std::unique_ptr<PixelBuffer> m_hStarBitmap;   // null until the first even-width size
  std::unique_ptr<PixelBuffer> m_hLabelBitmap;  // null until the first even-width size
  int m_bBuffersReady;
  int m_bDebug;
  // What is shown, with the label nesting rules; the flags below name its fields.
  DisplayOptions m_display;
  int& m_bNames = m_display.names;
  int& m_bSmallNames = m_display.smallNames;
  int& m_bDistances = m_display.distances;
  int& m_bDurchmusterung = m_display.durchmusterung;
  int& m_bMagnitudeDrawing = m_display.magnitudeDrawing;
  int m_bMagnitudesValid;
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nCenterX = 0;
  int m_nCenterY = 0;
  int m_nPixels = 0;
  Vector3D m_vPosition;
  DragPoint m_ptDragAnchor{0, 0};
  Vector3D m_vForward;
  Vector3D m_vRight;
  Vector3D m_vDown;
  double m_dYaw;
  double m_dPitch;
  int m_bProjectionDirty;
  uint16_t* m_pStarBits = nullptr;
  uint16_t* m_pLabelBits = nullptr;
  int m_nStarCount;
  // Beyond the original state: stars tinted by their spectral classes, off by default.
  int& m_bColours = m_display.colours;
  // The star picked by a click, followed by its marker: a catalogue index, or -1.
  int32_t m_nSelectedStar = -1;

  // Which star each pixel of the star buffer shows since the last
  // recomputing paint (the labels merged over them do not count).
  const DrawnStarMap& DrawnStars() const { return m_starFrame.DrawnStars(); }

 private:
  // Recomputes every star's distance and apparent magnitude for m_vPosition
  // and marks them valid.
  void RecomputeMagnitudes();
  // Makes the label buffer black (looked at only when a text was drawn
  // into it since it was last cleared).
  void ClearLabelBuffer();
  // Draws the stars into the cleared star frame for setup, from the paint
  // cache where it can be had, else from the records; in their colours with
  // Star Colours on. Without a star buffer, only projects the records.
  void PaintStars(const ProjectionSetup& setup);
  // The overlays' step of a recomputing paint, after the stars and their
  // labels (see WayfindingLayers).
  WayfindingFrame WayfindingShown() const;
  void DrawWayfinding();
  // Marks the projection out of date and asks for one repaint.
  void RedrawAll();
  // One double-click's zoom step, in or out, with the modifiers held now.
  void ZoomByDoubleClick(bool zoomIn);

  CSkyglassDoc& m_document;
  ViewPlatform& m_platform;
  StarFrame m_starFrame;    // every write into the star buffer goes through it
  StarLayers m_starLayers;  // the record star pass's per-thread scratch buffers
  StarPaintCache m_paintCache;
  StarColours m_starColours;
  ProjectionSetup m_paintSetup{};  // the observer of the last recomputing paint
  int m_bPaintedFromCache = 0;     // that paint drew from m_paintCache, whose label pass then labels it
  int m_bLabelBufferBlack = 0;     // no text drawn into the label buffer since it was cleared
  WheelNotches m_wheelNotches;     // wheel turns not yet adding up to a notch
  WayfindingLayers m_wayfinding;   // the grid, the figures and the selection marker
  int m_bTurnedSinceDown = 0;      // the view turned since the left button went down
};
