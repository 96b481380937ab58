#include "ui/frame_regions.h"

#include <cstddef>
#include <utility>

namespace dkl {
namespace {

HitRegion& Add(std::vector<HitRegion>& regions, ActionId id, RegionKind kind, const RectF& r, UiLabel label,
               bool enabled) {
  return AddRegion(regions, id, kind, r.x, r.y, r.width, r.height, std::move(label), enabled);
}

void AddCycler(std::vector<HitRegion>& regions, ActionId id, const RectF& r, bool enabled) {
  Add(regions, id, RegionKind::ClickArea, r, {}, enabled).cycler = 1;
}

}  // namespace

MainPageLayout MainLayout(bool advice_visible) {
  const float b = advice_visible ? 412.0f : 470.0f;
  MainPageLayout layout;
  layout.news_bottom = b;
  layout.featured = {22, 116, 660, b - 192};
  layout.small_cards[0] = {22, b - 64, 324, 64};
  layout.small_cards[1] = {358, b - 64, 324, 64};
  layout.verify_files = {702, b - 102, 236, 46};
  layout.website = {702, b - 46, 113, 46};
  layout.discord = {825, b - 46, 113, 46};
  return layout;
}

void AddTitleBarRegions(std::vector<HitRegion>& regions, bool english) {
  Add(regions, ActionId::Close, RegionKind::IconButton, {912, 8, 40, 40}, LiteralLabel("close"), true);
  Add(regions, ActionId::Minimize, RegionKind::IconButton, {870, 8, 40, 40}, LiteralLabel("minimize"), true);
  Add(regions, ActionId::SettingsPage, RegionKind::IconButton, {828, 8, 40, 40}, LiteralLabel("settings"), true);
  Add(regions, ActionId::English, RegionKind::TextPill, {786, 14, 34, 28}, LiteralLabel("EN"), true).selected =
      english;
  Add(regions, ActionId::Spanish, RegionKind::TextPill, {752, 14, 34, 28}, LiteralLabel("ES"), true).selected =
      !english;
}

void AddMainPageRegions(std::vector<HitRegion>& regions, const std::vector<NewsItem>& news, bool busy,
                        bool advice_visible) {
  const MainPageLayout layout = MainLayout(advice_visible);
  if (!news.empty()) {
    Add(regions, ActionId::NewsFeatured, RegionKind::ClickArea, layout.featured, {}, !news[0].url.empty());
  }
  for (std::size_t k = 1; k <= 2 && k < news.size(); ++k) {
    const auto id = static_cast<ActionId>(static_cast<int>(ActionId::NewsFeatured) + static_cast<int>(k));
    Add(regions, id, RegionKind::ClickArea, layout.small_cards[k - 1], {}, !news[k].url.empty());
  }
  Add(regions, ActionId::VerifyFiles, RegionKind::SecondaryButton, layout.verify_files,
      TextLabel(UiString::VerifyFiles), !busy);
  Add(regions, ActionId::Website, RegionKind::FramedButton, layout.website, TextLabel(UiString::Website), true);
  Add(regions, ActionId::Discord, RegionKind::FramedButton, layout.discord, LiteralLabel("Discord"), true);
}

void AddAdviceBannerRegions(std::vector<HitRegion>& regions, bool busy) {
  Add(regions, ActionId::ApplyAdvice, RegionKind::PrimaryButton, {614, 438, 196, 34},
      TextLabel(UiString::ApplyRecommended), !busy);
  Add(regions, ActionId::DismissAdvice, RegionKind::SecondaryButton, {820, 438, 110, 34}, TextLabel(UiString::NotNow),
      true);
}

void AddStatusPanelRegions(std::vector<HitRegion>& regions, const StatusPanel& panel) {
  Add(regions, ActionId::Play, RegionKind::PrimaryButton, {726, 512, 212, 64},
      TextLabel(panel.retry_mode ? UiString::Retry : UiString::Play), panel.play_enabled)
      .emphasised = panel.play_emphasised;
}

void AddSettingsPageRegions(std::vector<HitRegion>& regions, const DisplaySettings& display, bool busy) {
  Add(regions, ActionId::Browse, RegionKind::SecondaryButton, {670, 136, 100, 44}, TextLabel(UiString::Browse), true);
  AddCycler(regions, ActionId::ModeCycler, {190, 208, 283, 44}, true);
  AddCycler(regions, ActionId::ResolutionCycler, {487, 208, 283, 44}, true);
  AddCycler(regions, ActionId::AspectCycler, {190, 280, 283, 44}, display.mode == WindowMode::Fullscreen);
  AddCycler(regions, ActionId::FpsCycler, {487, 280, 283, 44}, !display.vsync);
  Add(regions, ActionId::VSync, RegionKind::ClickArea, {190, 330, 283, 24}, {}, true);
  Add(regions, ActionId::CaptureMouse, RegionKind::ClickArea, {487, 330, 283, 24}, {}, true);
  Add(regions, ActionId::AmbientLighting, RegionKind::ClickArea, {190, 390, 283, 24}, {}, true);
  Add(regions, ActionId::BodyAuras, RegionKind::ClickArea, {487, 390, 283, 24}, {}, true);
  AddCycler(regions, ActionId::DetailCycler, {190, 444, 283, 44}, true);
  Add(regions, ActionId::Back, RegionKind::SecondaryButton, {190, 512, 284, 46}, TextLabel(UiString::Back), true);
  Add(regions, ActionId::Save, RegionKind::PrimaryButton, {486, 512, 284, 46}, TextLabel(UiString::Save), !busy);
}

std::vector<HitRegion> FrameRegions(const FrameInput& input) {
  std::vector<HitRegion> regions;
  AddTitleBarRegions(regions, input.english);
  if (input.page == Page::Settings) {
    AddSettingsPageRegions(regions, input.display, input.busy);
    return regions;
  }
  AddMainPageRegions(regions, input.news, input.busy, input.advice_visible);
  if (input.advice_visible) AddAdviceBannerRegions(regions, input.busy);
  AddStatusPanelRegions(regions, input.status);
  return regions;
}

}  // namespace dkl
