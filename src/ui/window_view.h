// One paint's reading of the window: everything the painters draw, copied from the window's members
// and the live run state on the window thread, so that a frame can be painted from any state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/sync_outcome.h"
#include "gfx/display_settings.h"
#include "gfx/graphics_report.h"
#include "net/news_list.h"
#include "ui/frame_regions.h"
#include "ui/hit_region.h"
#include "ui/settings_page.h"
#include "ui/status_panel.h"

namespace dkl {

struct WindowView {
  Page page = Page::Main;
  bool english = false;
  ActionId hover = ActionId::None;
  ActionId pressed = ActionId::None;
  bool busy = false;

  // Main page.
  std::vector<NewsItem> news;  // copied under the news lock
  bool server_known = false;
  bool server_online = false;
  std::optional<std::uint32_t> latency_ms;
  bool final_received = false;
  SyncOutcome shown_outcome;
  bool advice_visible = false;
  AdviceLevel advice_level = AdviceLevel::None;
  std::optional<GraphicsAdapter> chosen_adapter;

  // Status panel.
  StatusPanel status;
  std::wstring status_override;
  std::wstring notice;
  std::wstring current_item;  // copied under the progress lock

  // Settings page.
  std::wstring folder_text;
  DisplaySettings display;
  std::wstring settings_message;
  SettingsHints hints;
  GraphicsCardLine card;
};

// What decides the frame's regions, taken from the view.
FrameInput FrameInputFor(const WindowView& view);

}  // namespace dkl
