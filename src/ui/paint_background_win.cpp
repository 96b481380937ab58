#include "ui/frame_painter_win.h"
#include "ui/frame_parts_win.h"

namespace dkl {
namespace {

using namespace Gdiplus::DllExports;

constexpr float kArtWidth = 1240;

// Red, green and blue at 62 %, alpha kept.
Gdiplus::ColorMatrix DarkeningMatrix() {
  Gdiplus::ColorMatrix matrix{};
  matrix.m[0][0] = 0.62f;
  matrix.m[1][1] = 0.62f;
  matrix.m[2][2] = 0.62f;
  matrix.m[3][3] = 1;
  matrix.m[4][4] = 1;
  return matrix;
}

// Mirrored and darkened, full width; 22 % of the height the art has beyond the window's lies above it.
void DrawArt(Canvas& canvas, Gdiplus::GpImage* art) {
  UINT width = 0;
  UINT height = 0;
  canvas.Check(GdipGetImageWidth(art, &width));
  canvas.Check(GdipGetImageHeight(art, &height));
  if (width == 0 || height == 0) return;
  const float drawn_height = kArtWidth * static_cast<float>(height) / static_cast<float>(width);

  Gdiplus::GpImageAttributes* created = nullptr;
  canvas.Check(GdipCreateImageAttributes(&created));
  const GdipImageAttributes attributes(created);
  if (attributes == nullptr) return;
  const Gdiplus::ColorMatrix matrix = DarkeningMatrix();
  canvas.Check(GdipSetImageAttributesColorMatrix(attributes.get(), Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                                 nullptr, Gdiplus::ColorMatrixFlagsDefault));

  Gdiplus::GpGraphics* g = canvas.graphics();
  canvas.Check(GdipTranslateWorldTransform(g, static_cast<float>(kWindowWidth), 0, Gdiplus::MatrixOrderPrepend));
  canvas.Check(GdipScaleWorldTransform(g, -1, 1, Gdiplus::MatrixOrderPrepend));
  canvas.Check(GdipDrawImageRectRect(
      g, art, -196, (static_cast<float>(kWindowHeight) - drawn_height) * 0.22f, kArtWidth, drawn_height, 0, 0,
      static_cast<float>(width), static_cast<float>(height), Gdiplus::UnitPixel, attributes.get(), nullptr, nullptr));
  canvas.Check(GdipResetWorldTransform(g));
}

}  // namespace

void PaintBackground(Canvas& canvas, Gdiplus::GpImage* background) {
  canvas.Check(GdipGraphicsClear(canvas.graphics(), Palette::Night));
  if (background != nullptr) DrawArt(canvas, background);
  const RectF window{0, 0, kWindowWidth, kWindowHeight};
  canvas.Fill(window, canvas
                          .BlendBrush(window, GradientDirection::Vertical,
                                      {{0x33060609, 0}, {0x8C060609, 0.55f}, {0xFF060609, 0.88f}, {0xFF060609, 1}})
                          .get());
  canvas.StrokeRect({0.5f, 0.5f, kWindowWidth - 1, kWindowHeight - 1}, 0x59C9CCD2, 1);
}

}  // namespace dkl
