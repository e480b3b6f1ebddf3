// A view painted the way the window paints it, for the paint benchmarks: the
// document of a benchmark map, a window system that does nothing, and the
// standard observer.
#pragma once

#include <memory>

#include "BenchMaps.h"
#include "render/SkyglassView.h"

// Text is not drawn (the glyphs are the window system's work); everything
// else the view asks for costs nothing.
class BenchPlatform : public ViewPlatform {
 public:
  void Invalidate() override {}
  void SetCapture() override {}
  bool HasCapture() const override { return false; }
  void ReleaseCapture() override {}
  bool IsKeyDown(ModifierKey) const override { return false; }
  int LocalTimeMsWithinHour() const override { return 0; }
  bool RunDialog(DialogModel&) override { return false; }
  void DrawText(PixelBuffer&, int, int, std::string_view, uint32_t) override {}
  void CopyToWindow(const PixelBuffer&) override {}
  void FillWindowRect(const WindowRect&, uint32_t) override {}
  void DrawWindowText(std::string_view, const WindowRect&, uint32_t) override {}
};

// A view of BenchDocument(count) at width x height, looking as
// StandardObserver, painted once (so its magnitudes are current).
struct BenchView {
  BenchPlatform platform;
  CSkyglassView view;

  BenchView(int64_t count, int width, int height) : view(BenchDocument(count), platform) {
    const BenchObserver observer = StandardObserver();
    view.m_vPosition = observer.position;
    view.m_dYaw = observer.yaw;
    view.m_dPitch = observer.pitch;
    view.m_vForward = observer.basis.forward;
    view.m_vRight = observer.basis.right;
    view.m_vDown = observer.basis.down;
    view.m_dZoom = observer.zoom;
    view.OnSize(0, width, height);
    view.OnDraw();
  }
};
