#include "ui/frame_painter_win.h"
#include "ui/frame_parts_win.h"
#include "ui/paint_widget_win.h"
#include "ui/pointer_input.h"

namespace dkl {
namespace {

using namespace Gdiplus::DllExports;

// The title in the display face with a chrome band across the letters; returns where it ends.
float DrawTitle(Canvas& canvas, float x) {
  static constexpr std::wstring_view kTitle = L"DuskhaveN";
  const GdipFont font = canvas.Display(24);
  const GdipStringFormat format =
      canvas.Format(0, TextAlign::Near, TextAlign::Center, Gdiplus::StringTrimmingCharacter);
  const RectF box{x, 0, 200, kTitleBarHeight};
  const GdipBrush chrome = canvas.BlendBrush(
      {x, 14, 160, 28}, GradientDirection::Vertical,
      {{0xFFFFFFFF, 0}, {0xFFD7DAE0, 0.42f}, {0xFF6D7179, 0.58f}, {0xFFC9CCD2, 0.76f}, {0xFFFFFFFF, 1}});
  canvas.DrawString(kTitle, font, chrome.get(), box, format.get());
  return x + canvas.Measure(kTitle, font, box, format.get()).width;
}

}  // namespace

void PaintTitleBar(Canvas& canvas, Gdiplus::GpImage* emblem, const std::vector<HitRegion>& regions) {
  canvas.FillGradient({0, 0, kWindowWidth, kTitleBarHeight}, GradientDirection::Vertical, 0xD9060609, 0x66060609);
  canvas.StrokeLine(0, kTitleBarHeight - 0.5f, kWindowWidth, kTitleBarHeight - 0.5f, Palette::Hairline, 1);
  float x = 20;
  if (emblem != nullptr) {
    canvas.Check(GdipDrawImageRect(canvas.graphics(), emblem, 20, 13, 30, 26));
    x = 60;
  }
  x = DrawTitle(canvas, x) + 6;
  canvas.StrokeLine(x, 18, x, 38, 0x73C9CCD2, 1);
  x += 12;
  canvas.DrawLabel(L"C R O W N", canvas.Display(14), Palette::Silver, {x, 0, 200, kTitleBarHeight}, TextAlign::Near,
                   TextAlign::Center, true);
  DrawWidgets(canvas, regions,
              {ActionId::Close, ActionId::Minimize, ActionId::SettingsPage, ActionId::English, ActionId::Spanish});
}

}  // namespace dkl
