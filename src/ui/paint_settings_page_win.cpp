#include <string>

#include "base/text_win.h"
#include "core/version.h"
#include "ui/frame_parts_win.h"
#include "ui/paint_widget_win.h"

namespace dkl {
namespace {

constexpr Argb kValueColor = 0xFFF4F1EA;
constexpr Argb kBoxBorder = 0x73C9CCD2;

// A label over a dark box with a double border; only the top 66 pixels of `r` are used.
void DrawField(Canvas& canvas, const RectF& r, std::wstring_view label, std::wstring_view value) {
  canvas.DrawLabel(label, canvas.Ui(14, FontStyle::Regular), Palette::Muted, {r.x, r.y, r.width, 18}, TextAlign::Near,
                   TextAlign::Near, false);
  canvas.Fill({r.x, r.y + 22, r.width, 44}, 0xFF09090D);
  canvas.StrokeRect({r.x + 0.5f, r.y + 22.5f, r.width - 1, 43}, 0xFF000000, 1);
  canvas.StrokeRect({r.x + 1.5f, r.y + 23.5f, r.width - 3, 41}, kBoxBorder, 1);
  canvas.DrawLabel(value, canvas.Ui(17, FontStyle::Regular), kValueColor, {r.x + 14, r.y + 22, r.width - 28, 44},
                   TextAlign::Near, TextAlign::Center, true);
}

// The box is the region itself, its label 22 pixels above it; the arrows light up under the pointer
// even when the cycler does not react.
void DrawCycler(Canvas& canvas, const HitRegion& region, std::wstring_view label, std::wstring_view value,
                std::wstring_view hint) {
  const float x = region.x;
  const float y = region.y;
  const float w = region.width;
  const float h = region.height;
  DrawField(canvas, {x, y - 22, w, h + 22}, label, {});
  const GdipPen pen = canvas.Pen(canvas.hover() == region.id ? Palette::Gold : Palette::Silver, 2);
  const float cy = y + h / 2;
  canvas.StrokeLine(x + 18, cy - 5, x + 13, cy, pen.get());
  canvas.StrokeLine(x + 13, cy, x + 18, cy + 5, pen.get());
  canvas.StrokeLine(x + w - 18, cy - 5, x + w - 13, cy, pen.get());
  canvas.StrokeLine(x + w - 13, cy, x + w - 18, cy + 5, pen.get());
  canvas.DrawLabel(value, canvas.Ui(17, FontStyle::Regular), kValueColor, {x + 28, y, w - 56, h}, TextAlign::Center,
                   TextAlign::Center, true);
  canvas.DrawLabel(hint, canvas.Ui(13, FontStyle::Regular), Palette::Gold, {x, y - 22, w, 18}, TextAlign::Far,
                   TextAlign::Near, true);
}

void DrawCheckBox(Canvas& canvas, const HitRegion& region, bool ticked, std::wstring_view text) {
  const float x = region.x;
  const float by = region.y + (region.height - 20) / 2;
  canvas.Fill({x, by, 20, 20}, 0xFF08080A);
  canvas.StrokeRect({x + 0.5f, by + 0.5f, 19, 19}, 0xFF000000, 1);
  canvas.StrokeRect({x + 1.5f, by + 1.5f, 17, 17}, canvas.hover() == region.id ? 0xC8C9CCD2 : kBoxBorder, 1);
  if (ticked) {
    const GdipPen pen = canvas.Pen(Palette::Gold, 2);
    canvas.StrokeLine(x + 5, by + 10, x + 8.5f, by + 14, pen.get());
    canvas.StrokeLine(x + 8.5f, by + 14, x + 15, by + 6, pen.get());
  }
  canvas.DrawLabel(text, canvas.Ui(17, FontStyle::Regular), 0xFFD9DBE0,
                   {x + 32, region.y, region.width - 32, region.height}, TextAlign::Near, TextAlign::Center, true);
}

// The page's controls, each at its region of the frame.
class SettingsControls {
 public:
  SettingsControls(Canvas& canvas, const std::vector<HitRegion>& regions) : canvas_(canvas), regions_(regions) {}

  void Cycler(ActionId id, UiString label, std::wstring_view value, std::wstring_view hint = {}) {
    if (const HitRegion* region = FindRegion(regions_, id)) {
      DrawCycler(canvas_, *region, canvas_.Text(label), value, hint);
    }
  }
  void CheckBox(ActionId id, bool ticked, std::wstring_view text) {
    if (const HitRegion* region = FindRegion(regions_, id)) DrawCheckBox(canvas_, *region, ticked, text);
  }

 private:
  Canvas& canvas_;
  const std::vector<HitRegion>& regions_;
};

std::wstring RecommendedPrefix(const Canvas& canvas) {
  return std::wstring(canvas.Text(UiString::Recommended)) + L": ";
}

std::wstring LightingText(const Canvas& canvas, const SettingsHints& hints) {
  std::wstring text(canvas.Text(UiString::EnhancedLighting));
  if (hints.ambient_lighting) text += L"  (" + RecommendedPrefix(canvas) + (*hints.ambient_lighting ? L"on)" : L"off)");
  return text;
}

std::wstring AurasText(const Canvas& canvas, const SettingsHints& hints) {
  std::wstring text(canvas.Text(UiString::Auras));
  if (hints.body_auras_off) text += L"  (" + RecommendedPrefix(canvas) + L"off)";
  return text;
}

std::wstring DetailHint(const Canvas& canvas, const SettingsHints& hints) {
  if (!hints.detail_level) return {};
  return RecommendedPrefix(canvas) + std::wstring(DetailLevelName(canvas.english(), *hints.detail_level));
}

std::wstring CardLineText(const Canvas& canvas, const GraphicsCardLine& card) {
  if (!card.name) return std::wstring(canvas.Text(UiString::GraphicsCardUnknown));
  std::wstring text =
      FormatText(canvas.Text(UiString::GraphicsCardLine), {Utf8ToWide(*card.name), Utf8ToWide(card.driver_version)});
  if (card.suffix) text += L"  \u00B7 " + std::wstring(canvas.Text(*card.suffix));
  return text;
}

void DrawPanel(Canvas& canvas) {
  const RectF& p = kSettingsPanel;
  canvas.FillGradient(p, GradientDirection::Vertical, 0xF00E0E12, 0xF708080B);
  canvas.StrokeRect({p.x + 0.5f, p.y + 0.5f, p.width - 1, p.height - 1}, 0x2ED2D6DE, 1);
}

void DrawDisplayControls(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions) {
  const DisplaySettings& d = view.display;
  SettingsControls controls(canvas, regions);
  controls.Cycler(ActionId::ModeCycler, UiString::Mode, canvas.Text(ModeValueText(d.mode)));
  controls.Cycler(ActionId::ResolutionCycler, UiString::Resolution, canvas.LabelText(ResolutionValue(d)));
  controls.Cycler(ActionId::AspectCycler, UiString::Fullscreen, canvas.Text(AspectValueText(d.fullscreenStretch)));
  controls.Cycler(ActionId::FpsCycler, UiString::FpsLimit, canvas.LabelText(FpsLimitValue(d.fpsLimit)));
  controls.CheckBox(ActionId::VSync, d.vsync, canvas.Text(UiString::VSync));
  controls.CheckBox(ActionId::CaptureMouse, d.captureMouse, canvas.Text(UiString::KeepMouse));
}

void DrawGraphicsControls(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions) {
  const DisplaySettings& d = view.display;
  SettingsControls controls(canvas, regions);
  DrawSectionHeading(canvas, canvas.Text(UiString::Graphics), 190, 362, 580);
  controls.CheckBox(ActionId::AmbientLighting, d.ambientLighting, LightingText(canvas, view.hints));
  controls.CheckBox(ActionId::BodyAuras, d.bodyAuras, AurasText(canvas, view.hints));
  controls.Cycler(ActionId::DetailCycler, UiString::DetailLevel, DetailLevelName(canvas.english(), d.detailLevel),
                  DetailHint(canvas, view.hints));
  const GdipStringFormat wrapping =
      canvas.Format(0, TextAlign::Near, TextAlign::Center, Gdiplus::StringTrimmingEllipsisCharacter);
  canvas.DrawString(CardLineText(canvas, view.card), canvas.Ui(14, FontStyle::Regular),
                    canvas.SolidBrush(Palette::Dim).get(), {487, 444, 283, 44}, wrapping.get());
}

}  // namespace

void PaintSettingsPage(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions) {
  DrawPanel(canvas);
  DrawSectionHeading(canvas, canvas.Text(UiString::Settings), 190, 82, 580);
  DrawField(canvas, {190, 114, 470, 66}, canvas.Text(UiString::GameFolder), view.folder_text);
  DrawWidgets(canvas, regions, {ActionId::Browse});
  DrawDisplayControls(canvas, view, regions);
  DrawGraphicsControls(canvas, view, regions);
  canvas.DrawLabel(view.settings_message, canvas.Ui(15, FontStyle::Regular), Palette::Alert, {190, 492, 580, 18},
                   TextAlign::Near, TextAlign::Near, true);
  DrawWidgets(canvas, regions, {ActionId::Back, ActionId::Save});
  canvas.DrawLabel(FormatText(canvas.Text(UiString::LauncherVersionLine), {Utf8ToWide(LauncherVersion)}),
                   canvas.Ui(13, FontStyle::Regular), 0xFF5D6068, {190, 562, 580, 16}, TextAlign::Far, TextAlign::Near,
                   true);
}

}  // namespace dkl
