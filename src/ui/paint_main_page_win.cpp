#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>

#include "base/text_win.h"
#include "ui/frame_parts_win.h"
#include "ui/paint_widget_win.h"

namespace dkl {
namespace {

using namespace Gdiplus::DllExports;

constexpr RectF kServerCard{702, 78, 236, 86};
constexpr RectF kVersionCard{702, 176, 236, 92};

// A clickable news card under the pointer gets a brighter border; one without a link never does.
void DrawNewsHover(Canvas& canvas, const std::vector<HitRegion>& regions, ActionId id) {
  const HitRegion* region = FindRegion(regions, id);
  if (region == nullptr || !region->enabled || canvas.hover() != id) return;
  canvas.StrokeRect({region->x + 0.5f, region->y + 0.5f, region->width - 1, region->height - 1}, 0x66D2D6DE, 1);
}

// At most two lines of the script face, cut after a whole word; returns the top of the text.
float DrawSummary(Canvas& canvas, std::wstring_view summary, float left, float width, float bottom) {
  const GdipFont font = canvas.Script(19);
  if (font == nullptr) return bottom;
  float font_height = 0;
  canvas.Check(GdipGetFontHeight(font.get(), canvas.graphics(), &font_height));
  const float line_height = font_height * 1.1f;
  const float max_height = 2 * line_height + 2;
  const float box_width = std::min(460.0f, width);
  const GdipStringFormat format = canvas.Format(Gdiplus::StringFormatFlagsLineLimit, TextAlign::Near, TextAlign::Near,
                                                Gdiplus::StringTrimmingEllipsisWord);
  const float measured = canvas.Measure(summary, font, {left, 0, box_width, max_height}, format.get()).height;
  const float height = std::min(std::max(line_height, measured), max_height);
  const float top = bottom - height;
  canvas.DrawString(summary, font, canvas.SolidBrush(Palette::Parchment).get(), {left, top, box_width, height},
                    format.get());
  return top;
}

// The texts of the featured card are stacked upward from its bottom: summary, title, date.
void DrawFeaturedCard(Canvas& canvas, const std::vector<NewsItem>& news, const RectF& c) {
  DrawCardPanel(canvas, c, true);
  const float left = c.x + 24;
  const float width = c.width - 48;
  float bottom = c.y + c.height - 22;
  if (news.empty()) {
    bottom -= 24;
    canvas.DrawLabel(canvas.Text(UiString::NewsEmpty), canvas.Ui(16, FontStyle::Regular), Palette::Dim,
                     {left, bottom, width, 24}, TextAlign::Near, TextAlign::Near, true);
    canvas.DrawLabel(canvas.Text(UiString::News), canvas.Display(30), Palette::Muted, {left, bottom - 40, width, 40},
                     TextAlign::Near, TextAlign::Center, true);
    return;
  }
  const NewsItem& item = news[0];
  bottom = DrawSummary(canvas, Utf8ToWide(item.summary), left, width, bottom) - 6 - 40;
  canvas.DrawLabel(Utf8ToWide(item.title), canvas.Display(30), Palette::Bright, {left, bottom, width, 40},
                   TextAlign::Near, TextAlign::Center, true);
  canvas.DrawLabel(Utf8ToWide(item.date), canvas.Display(13), Palette::Dim, {left, bottom - 22, width, 18},
                   TextAlign::Near, TextAlign::Near, true);
}

void DrawSmallCard(Canvas& canvas, const NewsItem& item, const RectF& s) {
  DrawCardPanel(canvas, s, false);
  canvas.DrawLabel(Utf8ToWide(item.date), canvas.Display(13), Palette::Dim, {s.x + 14, s.y + 12, s.width - 28, 16},
                   TextAlign::Near, TextAlign::Near, true);
  canvas.DrawLabel(Utf8ToWide(item.title), canvas.Ui(17, FontStyle::Bold), Palette::Soft,
                   {s.x + 14, s.y + 31, s.width - 28, 22}, TextAlign::Near, TextAlign::Near, true);
}

void DrawServerCard(Canvas& canvas, const WindowView& view) {
  const RectF& r = kServerCard;
  DrawCardPanel(canvas, r, false);
  canvas.DrawLabel(canvas.Text(UiString::Server), canvas.Display(13), Palette::Dim,
                   {r.x + 16, r.y + 14, r.width - 32, 16}, TextAlign::Near, TextAlign::Near, true);
  const Argb dot = !view.server_known ? Palette::Slate : view.server_online ? Palette::Green : Palette::Ember;
  canvas.FillEllipse({r.x + 16, r.y + 42, 9, 9}, dot);
  const UiString word = !view.server_known   ? UiString::Checking
                        : view.server_online ? UiString::Online
                                             : UiString::Offline;
  canvas.DrawLabel(canvas.Text(word), canvas.Display(20), Palette::Bright, {r.x + 34, r.y + 32, r.width - 50, 28},
                   TextAlign::Near, TextAlign::Center, true);
  if (view.server_known && view.server_online && view.latency_ms) {
    canvas.DrawLabel(FormatText(canvas.Text(UiString::Latency), {static_cast<unsigned>(*view.latency_ms)}),
                     canvas.Ui(15, FontStyle::Regular), Palette::Dim, {r.x + 16, r.y + 62, r.width - 32, 18},
                     TextAlign::Near, TextAlign::Near, true);
  }
}

std::wstring VersionText(const WindowView& view, const std::optional<std::string>& version) {
  if (!view.final_received || !version) return L"\u2014";
  return L"v" + Utf8ToWide(*version);
}

void DrawVersionRow(Canvas& canvas, UiString label, const std::wstring& value, Argb value_color, float y) {
  const GdipFont font = canvas.Ui(16, FontStyle::Regular);
  const RectF row{kVersionCard.x + 16, y, kVersionCard.width - 32, 20};
  canvas.DrawLabel(canvas.Text(label), font, Palette::Dim, row, TextAlign::Near, TextAlign::Near, true);
  canvas.DrawLabel(value, font, value_color, row, TextAlign::Far, TextAlign::Near, true);
}

void DrawVersionCard(Canvas& canvas, const WindowView& view) {
  const RectF& v = kVersionCard;
  DrawCardPanel(canvas, v, false);
  canvas.DrawLabel(canvas.Text(UiString::Version), canvas.Display(13), Palette::Dim,
                   {v.x + 16, v.y + 14, v.width - 32, 16}, TextAlign::Near, TextAlign::Near, true);
  DrawVersionRow(canvas, UiString::Installed, VersionText(view, view.shown_outcome.installed_version), Palette::Soft,
                 v.y + 38);
  DrawVersionRow(canvas, UiString::Available, VersionText(view, view.shown_outcome.available_version), Palette::Gold,
                 v.y + 60);
}

// The banner's advice about the chosen adapter; empty without one.
std::wstring AdviceText(const Canvas& canvas, const WindowView& view) {
  if (!view.chosen_adapter) return {};
  const std::wstring name = Utf8ToWide(view.chosen_adapter->name);
  if (view.advice_level == AdviceLevel::Old) {
    const std::string& driver = view.chosen_adapter->driver_version;
    return FormatText(canvas.Text(UiString::AdviceBannerOld), {name, driver.empty() ? L"?" : Utf8ToWide(driver)});
  }
  return FormatText(canvas.Text(UiString::AdviceBannerLight), {name});
}

}  // namespace

void PaintMainPage(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions) {
  const MainPageLayout layout = MainLayout(view.advice_visible);
  DrawSectionHeading(canvas, canvas.Text(UiString::News), 22, 78, 660);
  DrawFeaturedCard(canvas, view.news, layout.featured);
  DrawNewsHover(canvas, regions, ActionId::NewsFeatured);
  for (std::size_t k = 1; k <= 2 && k < view.news.size(); ++k) {
    DrawSmallCard(canvas, view.news[k], layout.small_cards[k - 1]);
    DrawNewsHover(canvas, regions,
                  static_cast<ActionId>(static_cast<int>(ActionId::NewsFeatured) + static_cast<int>(k)));
  }
  DrawServerCard(canvas, view);
  DrawVersionCard(canvas, view);
  DrawWidgets(canvas, regions, {ActionId::VerifyFiles, ActionId::Website, ActionId::Discord});
}

void PaintAdviceBanner(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions) {
  canvas.FillGradient(kAdviceBanner, GradientDirection::Vertical, 0xE61E100C, 0xF00E0A0A);
  canvas.StrokeRect({kAdviceBanner.x + 0.5f, kAdviceBanner.y + 0.5f, kAdviceBanner.width - 1, kAdviceBanner.height - 1},
                    0x8CD8642C, 1);
  const GdipStringFormat format =
      canvas.Format(0, TextAlign::Near, TextAlign::Center, Gdiplus::StringTrimmingEllipsisWord);
  canvas.DrawString(AdviceText(canvas, view), canvas.Ui(15, FontStyle::Regular), canvas.SolidBrush(Palette::Soft).get(),
                    {36, 434, 572, 42}, format.get());
  DrawWidgets(canvas, regions, {ActionId::ApplyAdvice, ActionId::DismissAdvice});
}

}  // namespace dkl
