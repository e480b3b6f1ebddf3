// The headless platform and the one recomputing paint.
#include "shell/HeadlessRender.h"

#include <QGuiApplication>
#include <QPainter>
#include <utility>

#include "catalog/SkyglassDoc.h"
#include "framework/LocalClock.h"
#include "interaction/AngleUnits.h"
#include "shell/PngFile.h"
#include "shell/TextDrawer.h"
#include "shell/WindowPainter.h"
#include "view/SkyglassView.h"

namespace {

// A window that is an image: repaints, capture and dialogs do nothing; the
// window-side drawing goes into the image, which starts black.
class HeadlessViewPlatform : public ViewPlatform {
 public:
  HeadlessViewPlatform(int width, int height) : m_image(width, height, QImage::Format_RGB32) {
    m_image.fill(Qt::black);
  }

  const QImage& Image() const { return m_image; }

  void Invalidate() override {}
  void SetCapture() override {}
  bool HasCapture() const override { return false; }
  void ReleaseCapture() override {}
  bool IsKeyDown(ModifierKey) const override { return false; }
  int LocalTimeMsWithinHour() const override { return ::LocalTimeMsWithinHour(); }
  bool RunDialog(DialogModel&) override { return false; }
  void DrawText(PixelBuffer& target, int x, int y, std::string_view text, uint32_t colorRef) override {
    m_textDrawer.Draw(target, x, y, text, colorRef);
  }
  void CopyToWindow(const PixelBuffer& stars) override {
    QPainter painter(&m_image);
    WindowPainter(painter, QGuiApplication::font()).CopyToWindow(stars);
  }
  void FillWindowRect(const WindowRect& rect, uint32_t colorRef) override {
    QPainter painter(&m_image);
    WindowPainter(painter, QGuiApplication::font()).FillRect(rect, colorRef);
  }
  void DrawWindowText(std::string_view text, const WindowRect& rect, uint32_t colorRef,
                      TextBreaks breaks) override {
    QPainter painter(&m_image);
    WindowPainter(painter, QGuiApplication::font()).DrawText(text, rect, colorRef, breaks);
  }

 private:
  QImage m_image;
  TextDrawer m_textDrawer = TextDrawer::ForPrimaryScreen();
};

// Flags, position and direction, then travel, look and select by name, then zoom.
// Returns the reason when a named star is not found.
std::string ApplyOptions(const RenderOptions& options, CSkyglassView& view) {
  view.m_display = options.display;
  view.m_vPosition.Set(options.positionX, options.positionY, options.positionZ);
  view.SetLookAngles(options.viewU * kDegreesToRadians, options.viewV * kDegreesToRadians);
  std::string error = RunNavigationScript(view, options.navigation);
  view.m_dZoom = options.zoom;
  return error;
}

}  // namespace

RenderResult RenderFrame(const RenderOptions& options, const std::string& mapPath, QImage* image,
                         std::string* errorText, std::vector<ConstellationFigure> figures) {
  CSkyglassDoc document(mapPath);
  document.OnNewDocument();
  if (document.m_bMapPresent == 0) {
    if (errorText != nullptr) *errorText = document.MapFailure();
    return RenderResult::NoMap;
  }
  HeadlessViewPlatform platform(options.width, options.height);
  CSkyglassView view(document, platform);
  view.SetFigures(std::move(figures));
  if (std::string error = ApplyOptions(options, view); !error.empty()) {
    if (errorText != nullptr) *errorText = std::move(error);
    return RenderResult::UnknownStar;
  }
  view.OnSize(0, options.width, options.height);
  view.OnDraw();
  *image = platform.Image();
  return RenderResult::Written;
}

RenderResult RenderToPng(const RenderOptions& options, const std::string& mapPath, std::string* errorText,
                         std::vector<ConstellationFigure> figures) {
  QImage image;
  if (const RenderResult result = RenderFrame(options, mapPath, &image, errorText, std::move(figures));
      result != RenderResult::Written)
    return result;
  const QString reason = WritePngFile(image, QString::fromStdString(options.outputPath));
  if (reason.isEmpty()) return RenderResult::Written;
  if (errorText != nullptr)
    *errorText = "cannot write the image '" + options.outputPath + "': " + reason.toStdString();
  return RenderResult::WriteFailed;
}
