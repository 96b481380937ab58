#include "ui/paint_kit_win.h"

#include <vector>

#include "base/text_win.h"

namespace dkl {
namespace {

using namespace Gdiplus::DllExports;

Gdiplus::RectF ToGdip(const RectF& r) { return Gdiplus::RectF(r.x, r.y, r.width, r.height); }

Gdiplus::LinearGradientMode ModeOf(GradientDirection direction) {
  return direction == GradientDirection::Vertical ? Gdiplus::LinearGradientModeVertical
                                                  : Gdiplus::LinearGradientModeHorizontal;
}

// An ellipse reaching far past the card's lower right corner, fading from its centre, clipped to the card.
void FillEmberGlow(Canvas& canvas, const RectF& r) {
  Gdiplus::GpPath* created_path = nullptr;
  canvas.Check(GdipCreatePath(Gdiplus::FillModeAlternate, &created_path));
  const GdipPath path(created_path);
  if (path == nullptr) return;
  canvas.Check(
      GdipAddPathEllipse(path.get(), r.x + 0.3f * r.width, r.y + 0.3f * r.height, 1.4f * r.width, 1.6f * r.height));
  Gdiplus::GpPathGradient* created_brush = nullptr;
  canvas.Check(GdipCreatePathGradientFromPath(path.get(), &created_brush));
  const GdipBrush brush(created_brush);
  if (brush == nullptr) return;
  canvas.Check(GdipSetPathGradientCenterColor(created_brush, 0x29B8322B));
  Gdiplus::ARGB surround = 0x00B8322B;
  INT count = 1;
  canvas.Check(GdipSetPathGradientSurroundColorsWithCount(created_brush, &surround, &count));
  canvas.Check(GdipSetClipRect(canvas.graphics(), r.x, r.y, r.width, r.height, Gdiplus::CombineModeReplace));
  canvas.Check(GdipFillPath(canvas.graphics(), brush.get(), path.get()));
  canvas.Check(GdipResetClip(canvas.graphics()));
}

}  // namespace

Canvas::Canvas(Gdiplus::GpGraphics* graphics, const FontSet* fonts, bool english, ActionId hover)
    : graphics_(graphics), fonts_(fonts), english_(english), hover_(hover) {}

void Canvas::Check(Gdiplus::GpStatus status) {
  if (status != Gdiplus::Ok) ++failed_calls_;
}

std::wstring Canvas::LabelText(const UiLabel& label) const {
  if (label.text) return std::wstring(Text(*label.text));
  return Utf8ToWide(label.literal);
}

GdipFont Canvas::Display(float size) const { return fonts_ ? DisplayFont(*fonts_, size) : nullptr; }

GdipFont Canvas::Ui(float size, FontStyle style) const { return fonts_ ? UiFont(*fonts_, size, style) : nullptr; }

GdipFont Canvas::Script(float size) const {
  return fonts_ ? FontOf(fonts_->script(), size, FontStyle::Regular) : nullptr;
}

GdipBrush Canvas::SolidBrush(Argb color) {
  Gdiplus::GpSolidFill* brush = nullptr;
  Check(GdipCreateSolidFill(color, &brush));
  return GdipBrush(brush);
}

GdipBrush Canvas::GradientBrush(const RectF& over, GradientDirection direction, Argb from, Argb to) {
  const Gdiplus::RectF rect = ToGdip(over);
  Gdiplus::GpLineGradient* brush = nullptr;
  Check(GdipCreateLineBrushFromRect(&rect, from, to, ModeOf(direction), Gdiplus::WrapModeTile, &brush));
  return GdipBrush(brush);
}

GdipBrush Canvas::BlendBrush(const RectF& over, GradientDirection direction,
                             std::initializer_list<GradientStop> stops) {
  GdipBrush brush = GradientBrush(over, direction, stops.begin()->color, (stops.end() - 1)->color);
  if (brush == nullptr) return brush;
  std::vector<Gdiplus::ARGB> colors;
  std::vector<Gdiplus::REAL> positions;
  for (const GradientStop& stop : stops) {
    colors.push_back(stop.color);
    positions.push_back(stop.position);
  }
  Check(GdipSetLinePresetBlend(static_cast<Gdiplus::GpLineGradient*>(brush.get()), colors.data(), positions.data(),
                               static_cast<INT>(colors.size())));
  return brush;
}

GdipPen Canvas::Pen(Argb color, float width) {
  Gdiplus::GpPen* pen = nullptr;
  Check(GdipCreatePen1(color, width, Gdiplus::UnitPixel, &pen));
  return GdipPen(pen);
}

GdipStringFormat Canvas::Format(int flags, TextAlign horizontal, TextAlign vertical, Gdiplus::StringTrimming trimming) {
  Gdiplus::GpStringFormat* format = nullptr;
  Check(GdipCreateStringFormat(flags, LANG_NEUTRAL, &format));
  if (format == nullptr) return nullptr;
  Check(GdipSetStringFormatAlign(format, static_cast<Gdiplus::StringAlignment>(horizontal)));
  Check(GdipSetStringFormatLineAlign(format, static_cast<Gdiplus::StringAlignment>(vertical)));
  Check(GdipSetStringFormatTrimming(format, trimming));
  return GdipStringFormat(format);
}

void Canvas::Fill(const RectF& r, Argb color) { Fill(r, SolidBrush(color).get()); }

void Canvas::Fill(const RectF& r, Gdiplus::GpBrush* brush) {
  if (brush == nullptr) return;
  Check(GdipFillRectangle(graphics_, brush, r.x, r.y, r.width, r.height));
}

void Canvas::FillEllipse(const RectF& r, Argb color) {
  GdipBrush brush = SolidBrush(color);
  if (brush == nullptr) return;
  Check(GdipFillEllipse(graphics_, brush.get(), r.x, r.y, r.width, r.height));
}

void Canvas::FillGradient(const RectF& r, GradientDirection direction, Argb from, Argb to) {
  Fill(r, GradientBrush(r, direction, from, to).get());
}

void Canvas::StrokeRect(const RectF& r, Argb color, float width) { StrokeRect(r, Pen(color, width).get()); }

void Canvas::StrokeRect(const RectF& r, Gdiplus::GpPen* pen) {
  if (pen == nullptr) return;
  Check(GdipDrawRectangle(graphics_, pen, r.x, r.y, r.width, r.height));
}

void Canvas::StrokeLine(float x1, float y1, float x2, float y2, Argb color, float width) {
  StrokeLine(x1, y1, x2, y2, Pen(color, width).get());
}

void Canvas::StrokeLine(float x1, float y1, float x2, float y2, Gdiplus::GpPen* pen) {
  if (pen == nullptr) return;
  Check(GdipDrawLine(graphics_, pen, x1, y1, x2, y2));
}

void Canvas::StrokeEllipse(const RectF& r, Gdiplus::GpPen* pen) {
  if (pen == nullptr) return;
  Check(GdipDrawEllipse(graphics_, pen, r.x, r.y, r.width, r.height));
}

void Canvas::DrawLabel(std::wstring_view text, const GdipFont& font, Argb color, const RectF& r, TextAlign horizontal,
                       TextAlign vertical, bool ellipsis) {
  if (text.empty() || font == nullptr) return;
  GdipStringFormat format =
      Format(Gdiplus::StringFormatFlagsNoWrap, horizontal, vertical,
             ellipsis ? Gdiplus::StringTrimmingEllipsisCharacter : Gdiplus::StringTrimmingCharacter);
  DrawString(text, font, SolidBrush(color).get(), r, format.get());
}

void Canvas::DrawString(std::wstring_view text, const GdipFont& font, Gdiplus::GpBrush* brush, const RectF& r,
                        Gdiplus::GpStringFormat* format) {
  if (text.empty() || font == nullptr || brush == nullptr) return;
  const Gdiplus::RectF layout = ToGdip(r);
  Check(GdipDrawString(graphics_, text.data(), static_cast<INT>(text.size()), font.get(), &layout, format, brush));
}

RectF Canvas::Measure(std::wstring_view text, const GdipFont& font, const RectF& r, Gdiplus::GpStringFormat* format) {
  if (text.empty() || font == nullptr) return {r.x, r.y, 0, 0};
  const Gdiplus::RectF layout = ToGdip(r);
  Gdiplus::RectF bounds;
  Check(GdipMeasureString(graphics_, text.data(), static_cast<INT>(text.size()), font.get(), &layout, format, &bounds,
                          nullptr, nullptr));
  return {bounds.X, bounds.Y, bounds.Width, bounds.Height};
}

void DrawCardPanel(Canvas& canvas, const RectF& r, bool glow) {
  if (glow) {
    canvas.FillGradient(r, GradientDirection::Vertical, 0x8C0E0E12, 0xEB08080B);
    FillEmberGlow(canvas, r);
  } else {
    canvas.FillGradient(r, GradientDirection::Vertical, 0xD10E0E12, 0xE608080B);
  }
  canvas.StrokeRect({r.x + 0.5f, r.y + 0.5f, r.width - 1, r.height - 1}, Palette::Hairline, 1);
}

void DrawSectionHeading(Canvas& canvas, std::wstring_view text, float x, float y, float width) {
  const GdipFont font = canvas.Display(18);
  const RectF box{x, y, width, 24};
  canvas.DrawLabel(text, font, Palette::Bright, box, TextAlign::Near, TextAlign::Center, true);
  const float tail = x + canvas.Measure(text, font, box, nullptr).width + 14;
  if (x + width > tail) {
    canvas.FillGradient({tail, y + 12, x + width - tail, 1}, GradientDirection::Horizontal, 0x80C9CCD2, 0x00C9CCD2);
  }
}

}  // namespace dkl
