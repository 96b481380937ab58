#include "ui/paint_widget_win.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dkl {
namespace {

using namespace Gdiplus::DllExports;

bool Hovered(const Canvas& canvas, const HitRegion& region) { return region.enabled && canvas.hover() == region.id; }

void DrawCentredLabel(Canvas& canvas, const HitRegion& region, const GdipFont& font, Argb color) {
  canvas.DrawLabel(canvas.LabelText(region.label), font, color, RectOf(region), TextAlign::Center, TextAlign::Center,
                   false);
}

void DrawPrimaryButton(Canvas& canvas, const HitRegion& r) {
  const RectF box = RectOf(r);
  if (r.enabled) {
    const RectF glow{r.x - 6, r.y - 6, r.width + 12, r.height + 12};
    if (Hovered(canvas, r)) {
      canvas.Fill(glow, 0x46DCE4F5);
    } else if (r.emphasised) {
      canvas.Fill(glow, 0x28DCE4F5);
    }
    canvas.Fill(
        box,
        canvas.BlendBrush(box, GradientDirection::Vertical, {{0xFFFFFFFF, 0}, {0xFFDCDFE4, 0.46f}, {0xFFA6AAB2, 1}})
            .get());
  } else {
    canvas.FillGradient(box, GradientDirection::Vertical, 0xFF3A3C41, 0xFF2A2C30);
  }
  canvas.StrokeRect({r.x - 0.5f, r.y - 0.5f, r.width + 1, r.height + 1}, 0xFF000000, 1);
  if (r.enabled) {
    canvas.StrokeLine(r.x + 1, r.y + 0.5f, r.x + r.width - 1, r.y + 0.5f, 0xFFFFFFFF, 1);
    canvas.StrokeLine(r.x + 1, r.y + r.height - 1, r.x + r.width - 1, r.y + r.height - 1, 0x40000000, 2);
  }
  DrawCentredLabel(canvas, r, canvas.Display(r.height >= 60 ? 24.0f : 16.0f), r.enabled ? 0xFF0A0A0D : 0xFF4B4E55);
}

void DrawSecondaryButton(Canvas& canvas, const HitRegion& r) {
  const bool hovered = Hovered(canvas, r);
  canvas.Fill(RectOf(r), hovered ? 0x0FFFFFFF : 0x80060609);
  const Argb border_alpha = hovered ? 0xFF000000 : r.enabled ? 0x8C000000 : 0x3C000000;
  canvas.StrokeRect({r.x + 0.5f, r.y + 0.5f, r.width - 1, r.height - 1}, border_alpha | 0x00DFE2E8, 1);
  DrawCentredLabel(canvas, r, canvas.Display(r.height < 46 ? 14.0f : 16.0f), r.enabled ? Palette::Bright : 0x64F4F5F7);
}

void DrawFramedButton(Canvas& canvas, const HitRegion& r) {
  const bool hovered = Hovered(canvas, r);
  canvas.Fill(RectOf(r), 0xFF0D0D11);
  canvas.StrokeRect({r.x + 0.5f, r.y + 0.5f, r.width - 1, r.height - 1}, 0x1FD2D6DE, 1);
  const GdipPen pen = canvas.Pen(hovered ? Palette::Gold : Palette::Silver, 2);
  const float arm = hovered ? 18.0f : 12.0f;
  const float right = r.x + r.width;
  const float bottom = r.y + r.height;
  canvas.StrokeLine(r.x, r.y + 1, r.x + arm, r.y + 1, pen.get());
  canvas.StrokeLine(r.x + 1, r.y, r.x + 1, r.y + arm, pen.get());
  canvas.StrokeLine(right - arm, bottom - 1, right, bottom - 1, pen.get());
  canvas.StrokeLine(right - 1, bottom - arm, right - 1, bottom, pen.get());
  DrawCentredLabel(canvas, r, canvas.Display(16), Palette::Bright);
}

void DrawGear(Canvas& canvas, Gdiplus::GpPen* pen, float cx, float cy) {
  canvas.StrokeEllipse({cx - 3, cy - 3, 6, 6}, pen);
  canvas.StrokeEllipse({cx - 7, cy - 7, 14, 14}, pen);
  for (int i = 0; i < 8; ++i) {
    const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 4;
    canvas.StrokeLine(cx + 7 * std::cos(a), cy + 7 * std::sin(a), cx + 9.5f * std::cos(a), cy + 9.5f * std::sin(a),
                      pen);
  }
}

void DrawIconButton(Canvas& canvas, const HitRegion& r) {
  const bool hovered = Hovered(canvas, r);
  if (hovered) canvas.Fill(RectOf(r), r.id == ActionId::Close ? Palette::Ember : 0x0FFFFFFF);
  const GdipPen pen = canvas.Pen(hovered ? Palette::Bright : Palette::Muted, 1.7f);
  if (pen == nullptr) return;
  canvas.Check(GdipSetPenLineCap197819(pen.get(), Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound));
  const float cx = r.x + r.width / 2;
  const float cy = r.y + r.height / 2;
  switch (r.id) {
    case ActionId::Close:
      canvas.StrokeLine(cx - 6, cy - 6, cx + 6, cy + 6, pen.get());
      canvas.StrokeLine(cx + 6, cy - 6, cx - 6, cy + 6, pen.get());
      break;
    case ActionId::Minimize: canvas.StrokeLine(cx - 7, cy, cx + 7, cy, pen.get()); break;
    default: DrawGear(canvas, pen.get(), cx, cy); break;
  }
}

void DrawTextPill(Canvas& canvas, const HitRegion& r) {
  const bool bright = r.selected || Hovered(canvas, r);
  DrawCentredLabel(canvas, r, canvas.Ui(14, FontStyle::Bold), bright ? Palette::Bright : Palette::Dim);
}

}  // namespace

void DrawWidget(Canvas& canvas, const HitRegion& region) {
  switch (region.kind) {
    case RegionKind::PrimaryButton: DrawPrimaryButton(canvas, region); break;
    case RegionKind::SecondaryButton: DrawSecondaryButton(canvas, region); break;
    case RegionKind::FramedButton: DrawFramedButton(canvas, region); break;
    case RegionKind::IconButton: DrawIconButton(canvas, region); break;
    case RegionKind::TextPill: DrawTextPill(canvas, region); break;
    case RegionKind::ClickArea: break;
  }
}

void DrawWidgets(Canvas& canvas, const std::vector<HitRegion>& regions, std::initializer_list<ActionId> ids) {
  for (const HitRegion& region : regions) {
    if (std::find(ids.begin(), ids.end(), region.id) != ids.end()) DrawWidget(canvas, region);
  }
}

const HitRegion* FindRegion(const std::vector<HitRegion>& regions, ActionId id) {
  const auto found = std::find_if(regions.begin(), regions.end(), [id](const HitRegion& r) { return r.id == id; });
  return found == regions.end() ? nullptr : &*found;
}

}  // namespace dkl
