#include "ui/frame_painter_win.h"

#include "ui/frame_parts_win.h"
#include "ui/gdiplus_win.h"

namespace dkl {
namespace {

using namespace Gdiplus::DllExports;

void SetRenderingModes(Canvas& canvas) {
  Gdiplus::GpGraphics* g = canvas.graphics();
  canvas.Check(GdipSetSmoothingMode(g, Gdiplus::SmoothingModeAntiAlias));
  canvas.Check(GdipSetTextRenderingHint(g, Gdiplus::TextRenderingHintClearTypeGridFit));
  canvas.Check(GdipSetInterpolationMode(g, Gdiplus::InterpolationModeHighQualityBicubic));
  canvas.Check(GdipSetPixelOffsetMode(g, Gdiplus::PixelOffsetModeHalf));
}

}  // namespace

std::vector<HitRegion> PaintFrame(Gdiplus::GpGraphics* graphics, const PaintAssets& assets, const WindowView& view) {
  PaintLog log;
  return PaintFrame(graphics, assets, view, log);
}

std::vector<HitRegion> PaintFrame(Gdiplus::GpGraphics* graphics, const PaintAssets& assets, const WindowView& view,
                                  PaintLog& log) {
  std::vector<HitRegion> regions = FrameRegions(FrameInputFor(view));
  Canvas canvas(graphics, assets.fonts, view.english, view.hover);
  SetRenderingModes(canvas);
  PaintBackground(canvas, assets.background);
  PaintTitleBar(canvas, assets.emblem, regions);
  if (view.page == Page::Settings) {
    PaintSettingsPage(canvas, view, regions);
  } else {
    PaintMainPage(canvas, view, regions);
    if (view.advice_visible) PaintAdviceBanner(canvas, view, regions);
    PaintStatusPanel(canvas, view, regions);
  }
  log.failed_calls = canvas.failed_calls();
  return regions;
}

}  // namespace dkl
