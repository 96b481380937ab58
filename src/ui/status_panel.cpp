#include "ui/status_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace dkl {
namespace {

constexpr double kBytesPerMb = 1048576.0;

bool Ended(const StatusPanelInput& input) { return input.final_received && !input.busy; }

std::int32_t OutcomeKind(const StatusPanelInput& input) {
  return static_cast<std::int32_t>(input.shown_outcome.kind);
}

std::int32_t PanelPhase(const StatusPanelInput& input) {
  if (input.busy) return input.live_phase;
  return input.final_received ? OutcomeKind(input) : 0;
}

StatusLine PhaseLine(std::int32_t phase) {
  static constexpr UiString kPhaseTexts[] = {
      UiString::PhaseLooking,    UiString::PhaseChecking, UiString::PhaseVerifying, UiString::PhaseDownloading,
      UiString::PhaseSelfUpdate, UiString::PhaseReady,    UiString::PhaseOffline,   UiString::PhaseFailed,
  };
  if (phase < 0 || phase >= static_cast<std::int32_t>(std::size(kPhaseTexts))) return {};
  return {StatusLine::Source::Text, kPhaseTexts[phase], StatusKind::Ok};
}

float Percent(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return 0;
  return std::min(static_cast<float>(static_cast<double>(done) * 100.0 / static_cast<double>(total)), 100.0f);
}

std::string Megabytes(double bytes) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f", bytes / kBytesPerMb);
  return text;
}

std::string PercentText(float percent) {
  char text[16];
  std::snprintf(text, sizeof text, "%d%%", static_cast<int>(std::floor(percent)));
  return text;
}

}  // namespace

StatusLine StatusText(const StatusPanelInput& input) {
  const std::int32_t kind = OutcomeKind(input);
  if (input.has_override) return {StatusLine::Source::Override, {}, StatusKind::Ok};
  if (input.has_notice && input.final_received && kind == static_cast<std::int32_t>(UpdatePhase::Ready)) {
    return {StatusLine::Source::Notice, {}, StatusKind::Ok};
  }
  if (Ended(input)) {
    const bool offline = kind == static_cast<std::int32_t>(UpdatePhase::Offline);
    if (offline && input.shown_outcome.playable) {
      return {StatusLine::Source::Text, UiString::PhaseOfflinePlayable, StatusKind::Ok};
    }
    if ((offline || kind == static_cast<std::int32_t>(UpdatePhase::Failed)) && input.shown_outcome.error) {
      return {StatusLine::Source::StatusMessage, {}, input.shown_outcome.error->kind};
    }
    return PhaseLine(kind);
  }
  return PhaseLine(input.live_phase);
}

ProgressFill ProgressFillFor(float percent, std::int32_t phase) {
  const float width = std::min(percent, 100.0f) * kProgressBarInnerWidth / 100.0f;
  if (!(width > 0.5f)) return {};
  const bool ready = phase == static_cast<std::int32_t>(UpdatePhase::Ready);
  return {ready ? ProgressFill::Look::Metal : ProgressFill::Look::Ember, width};
}

std::string TransferText(std::uint64_t bytes_done, std::uint64_t bytes_total, double speed) {
  std::string text = Megabytes(static_cast<double>(bytes_done)) + " / " +
                     Megabytes(static_cast<double>(bytes_total)) + " MB";
  if (speed > 0) text += " \u00B7 " + Megabytes(std::trunc(speed)) + " MB/s";
  return text;
}

StatusPanel ComputeStatusPanel(const StatusPanelInput& input) {
  StatusPanel panel;
  const std::int32_t kind = OutcomeKind(input);
  panel.phase = PanelPhase(input);
  panel.failed = Ended(input) && (kind == static_cast<std::int32_t>(UpdatePhase::Failed) ||
                                  (kind == static_cast<std::int32_t>(UpdatePhase::Offline) &&
                                   !input.shown_outcome.playable));
  panel.retry_mode = Ended(input) && !input.shown_outcome.playable;
  panel.line = StatusText(input);

  switch (static_cast<UpdatePhase>(panel.phase)) {
    case UpdatePhase::QuickCheck:
    case UpdatePhase::FullCheck:
      panel.percent = Percent(input.files_done, input.files_total);
      panel.detail = {DetailLine::Source::FileCount, input.files_done, input.files_total};
      break;
    case UpdatePhase::Downloading:
    case UpdatePhase::SelfUpdating:
      panel.percent = Percent(input.bytes_done, input.bytes_total);
      panel.detail = {DetailLine::Source::CurrentItem, 0, 0};
      panel.transfer_text = TransferText(input.bytes_done, input.bytes_total, input.speed);
      break;
    case UpdatePhase::Ready:
      panel.percent = 100;
      panel.detail = {DetailLine::Source::AllFilesVerified, 0, 0};
      break;
    default: break;
  }
  const bool ready = panel.phase == static_cast<std::int32_t>(UpdatePhase::Ready);
  if (input.busy || ready) panel.percent_text = PercentText(panel.percent);
  panel.fill = ProgressFillFor(panel.percent, panel.phase);
  panel.play_enabled = !input.busy;
  panel.play_emphasised = Ended(input) && input.shown_outcome.playable;
  return panel;
}

}  // namespace dkl
