#include "ui/window_state.h"

#include <utility>

#include "ui/settings_page.h"
#include "ui/status_panel.h"

namespace dkl {
namespace {

StatusPanelInput PanelInput(const WindowState& state, const LiveReading& live) {
  StatusPanelInput input;
  input.busy = live.busy;
  input.live_phase = live.phase;
  input.bytes_done = live.bytes_done;
  input.bytes_total = live.bytes_total;
  input.files_done = live.files_done;
  input.files_total = live.files_total;
  input.final_received = state.final_received;
  input.shown_outcome = state.shown_outcome;
  input.has_override = !state.status_override.empty();
  input.has_notice = !state.notice.empty();
  input.speed = state.speed.bytes_per_second;
  return input;
}

}  // namespace

bool EnglishFromSetting(std::string_view lang) { return lang == "en"; }

void BeginRun(WindowState& state, std::uint64_t now_ms) {
  state.status_override.clear();
  state.notice.clear();
  RestartSpeedEstimate(state.speed, now_ms);
}

void AdoptStartAnswer(WindowState& state, const Status& answer) {
  if (answer.ok() || answer.kind == StatusKind::Busy) return;
  state.shown_outcome.kind = UpdatePhase::Failed;
  state.shown_outcome.error = answer;
  state.shown_outcome.playable = false;
  state.final_received = true;
}

bool AdoptOutcome(WindowState& state, const SyncOutcome& outcome) {
  state.shown_outcome = outcome;
  state.final_received = true;
  if (outcome.restart) state.restart_after_close = true;
  return outcome.restart;
}

void AdoptServerReport(WindowState& state, std::uintptr_t online, std::intptr_t latency_ms) {
  state.server_known = true;
  state.server_online = online != 0;
  state.latency_ms.reset();
  if (latency_ms >= 0) state.latency_ms = static_cast<std::uint32_t>(latency_ms);
}

WindowView ViewOf(const WindowState& state, LiveReading live, const GraphicsReport& graphics) {
  WindowView view;
  view.page = state.page;
  view.english = state.english;
  view.hover = state.pointer.hover;
  view.pressed = state.pointer.pressed;
  view.busy = live.busy;

  view.server_known = state.server_known;
  view.server_online = state.server_online;
  view.latency_ms = state.latency_ms;
  view.final_received = state.final_received;
  view.shown_outcome = state.shown_outcome;
  view.advice_visible = state.advice_visible;
  view.advice_level = graphics.level;
  if (graphics.chosen_adapter && *graphics.chosen_adapter < graphics.adapters.size()) {
    view.chosen_adapter = graphics.adapters[*graphics.chosen_adapter];
  }

  view.status = ComputeStatusPanel(PanelInput(state, live));
  view.status_override = state.status_override;
  view.notice = state.notice;
  view.current_item = std::move(live.current_item);
  view.news = std::move(live.news);

  view.folder_text = state.folder_text;
  view.display = state.display;
  view.settings_message = state.settings_message;
  view.hints = HintsFor(graphics.level, state.display);
  view.card = GraphicsCardLineFor(graphics);
  return view;
}

}  // namespace dkl
