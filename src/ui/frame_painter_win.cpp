// Stands in for the frame's painters: a plain backdrop and the regions the frame's layout registers,
// so that the window can be clicked before it is drawn in full.
#include "ui/frame_painter_win.h"

#include "ui/gdiplus_win.h"

namespace dkl {

std::vector<HitRegion> PaintFrame(Gdiplus::GpGraphics* graphics, const PaintAssets&, const WindowView& view) {
  constexpr Gdiplus::ARGB kNight = 0xFF060609;
  if (graphics != nullptr) Gdiplus::DllExports::GdipGraphicsClear(graphics, kNight);
  return FrameRegions(
      FrameInput{view.page, view.english, view.busy, view.advice_visible, view.news, view.status, view.display});
}

}  // namespace dkl
