// Where each page puts its clickable areas, in drawing order, so that the painters draw exactly the
// regions that hit testing sees.
#pragma once

#include <vector>

#include "gfx/display_settings.h"
#include "net/news_list.h"
#include "ui/hit_region.h"
#include "ui/status_panel.h"

namespace dkl {

enum class Page : int { Main = 0, Settings = 1 };

struct RectF {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;

  bool operator==(const RectF&) const = default;
};

// The main page's boxes; the news area ends higher when the advice banner is shown.
struct MainPageLayout {
  float news_bottom = 0;
  RectF featured;
  RectF small_cards[2];
  RectF verify_files;
  RectF website;
  RectF discord;
};

inline constexpr RectF kAdviceBanner{22, 430, 916, 50};
inline constexpr RectF kSettingsPanel{160, 66, 640, 524};

MainPageLayout MainLayout(bool advice_visible);

// Close, minimize, gear, then the two language pills; the pill of the current language is selected.
void AddTitleBarRegions(std::vector<HitRegion>& regions, bool english);

// A news card is clickable only when its item has a URL; items beyond the third are never shown.
void AddMainPageRegions(std::vector<HitRegion>& regions, const std::vector<NewsItem>& news, bool busy,
                        bool advice_visible);

void AddAdviceBannerRegions(std::vector<HitRegion>& regions, bool busy);

// The big button: "Retry" in retry mode, otherwise "Play".
void AddStatusPanelRegions(std::vector<HitRegion>& regions, const StatusPanel& panel);

// The aspect cycler reacts only in full screen, the FPS limit only without VSync, Save only between runs.
void AddSettingsPageRegions(std::vector<HitRegion>& regions, const DisplaySettings& display, bool busy);

// Everything a frame registers, in drawing order.
struct FrameInput {
  Page page = Page::Main;
  bool english = false;
  bool busy = false;
  bool advice_visible = false;
  std::vector<NewsItem> news;  // the copy taken for this paint
  StatusPanel status;          // main page only
  DisplaySettings display;     // the settings page's edit copy
};

std::vector<HitRegion> FrameRegions(const FrameInput& input);

}  // namespace dkl
