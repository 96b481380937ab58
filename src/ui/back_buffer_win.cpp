#include "ui/back_buffer_win.h"

#include "ui/gdiplus_win.h"

namespace dkl {
namespace {

using namespace Gdiplus::DllExports;

std::vector<HitRegion> PaintDirectly(HDC dc, const PaintAssets& assets, const WindowView& view) {
  Gdiplus::GpGraphics* screen = nullptr;
  GdipCreateFromHDC(dc, &screen);
  std::vector<HitRegion> regions = PaintFrame(screen, assets, view);
  if (screen != nullptr) GdipDeleteGraphics(screen);
  return regions;
}

std::vector<HitRegion> PaintBuffered(HDC dc, const PaintAssets& assets, const WindowView& view) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromScan0(kWindowWidth, kWindowHeight, 0, PixelFormat32bppPARGB, nullptr, &bitmap) !=
          Gdiplus::Ok ||
      bitmap == nullptr) {
    return PaintDirectly(dc, assets, view);
  }
  Gdiplus::GpGraphics* buffer = nullptr;
  if (GdipGetImageGraphicsContext(bitmap, &buffer) != Gdiplus::Ok || buffer == nullptr) {
    GdipDisposeImage(bitmap);
    return PaintDirectly(dc, assets, view);
  }
  // The painter sets the rendering modes of the graphics it draws on.
  std::vector<HitRegion> regions = PaintFrame(buffer, assets, view);

  Gdiplus::GpGraphics* screen = nullptr;
  if (GdipCreateFromHDC(dc, &screen) == Gdiplus::Ok && screen != nullptr) {
    GdipDrawImageI(screen, bitmap, 0, 0);
    GdipDeleteGraphics(screen);
  }
  GdipDeleteGraphics(buffer);
  GdipDisposeImage(bitmap);
  return regions;
}

}  // namespace

std::vector<HitRegion> PaintWindowFrame(HWND window, const PaintAssets& assets, const WindowView& view) {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(window, &paint);
  std::vector<HitRegion> regions = PaintBuffered(dc, assets, view);
  EndPaint(window, &paint);
  return regions;
}

}  // namespace dkl
