// The window's own state apart from handles, locks and threads: what each paint reads and what the
// window's messages and commands change. The Win32 shell owns one and feeds it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "core/sync_outcome.h"
#include "gfx/display_settings.h"
#include "gfx/graphics_report.h"
#include "net/news_list.h"
#include "ui/frame_regions.h"
#include "ui/pointer_input.h"
#include "ui/speed_estimate.h"
#include "ui/window_view.h"

namespace dkl {

struct WindowState {
  WindowState() { shown_outcome.kind = UpdatePhase::Searching; }

  bool english = false;
  Page page = Page::Main;
  PointerState pointer;
  SyncOutcome shown_outcome;    // the last final result adopted
  bool final_received = false;  // set by the first adopted outcome or a refused start
  bool retry_mode = false;      // as the status panel last painted it
  SpeedEstimate speed;
  bool restart_after_close = false;
  std::wstring status_override;
  bool server_known = false;
  bool server_online = false;
  std::optional<std::uint32_t> latency_ms;
  std::wstring folder_text;  // the settings page's edit copy
  DisplaySettings display;
  std::wstring settings_message;
  bool advice_visible = false;
  std::wstring notice;
};

// Only the exact setting "en" opens the window in English.
bool EnglishFromSetting(std::string_view lang);

// A run is being started: the texts set by earlier commands go, the speed counts afresh.
void BeginRun(WindowState& state, std::uint64_t now_ms);

// The controller's answer to starting a run. A refusal other than "a run is already going" is shown
// at once as a failed run.
void AdoptStartAnswer(WindowState& state, const Status& answer);

// A run's final outcome reached the window. True when the launcher was replaced and the window must
// close so that the new one can start; otherwise the window asks about the graphics notice again.
bool AdoptOutcome(WindowState& state, const SyncOutcome& outcome);

// One probe's report: `online` non-zero when the server answered, `latency_ms` negative for none.
void AdoptServerReport(WindowState& state, std::uintptr_t online, std::intptr_t latency_ms);

// The live run state and the news, read once for one paint.
struct LiveReading {
  bool busy = false;
  std::int32_t phase = 0;
  std::uint64_t bytes_done = 0;
  std::uint64_t bytes_total = 0;
  std::uint64_t files_done = 0;
  std::uint64_t files_total = 0;
  std::wstring current_item;
  std::vector<NewsItem> news;
};

// Everything one paint draws.
WindowView ViewOf(const WindowState& state, LiveReading live, const GraphicsReport& graphics);

}  // namespace dkl
