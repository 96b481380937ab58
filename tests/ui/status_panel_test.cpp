#include "ui/status_panel.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

using Source = StatusLine::Source;

StatusPanelInput Live(UpdatePhase phase) {
  StatusPanelInput input;
  input.busy = true;
  input.live_phase = static_cast<std::int32_t>(phase);
  return input;
}

StatusPanelInput Ended(UpdatePhase kind, bool playable, std::optional<StatusKind> error = std::nullopt) {
  StatusPanelInput input;
  input.final_received = true;
  input.shown_outcome.kind = kind;
  input.shown_outcome.playable = playable;
  if (error) input.shown_outcome.error = MakeStatus(*error, "detail");
  return input;
}

StatusLine Text(UiString id) { return {Source::Text, id, StatusKind::Ok}; }
StatusLine Message(StatusKind kind) { return {Source::StatusMessage, {}, kind}; }

TEST(StatusText, FirstMatchingRuleWins) {
  StatusPanelInput override_during_run = Live(UpdatePhase::Downloading);
  override_during_run.has_override = true;
  StatusPanelInput notice_after_ready = Ended(UpdatePhase::Ready, true);
  notice_after_ready.has_notice = true;
  notice_after_ready.has_override = false;
  StatusPanelInput notice_after_offline = Ended(UpdatePhase::Offline, true);
  notice_after_offline.has_notice = true;
  StatusPanelInput override_over_notice = notice_after_ready;
  override_over_notice.has_override = true;
  StatusPanelInput notice_during_new_run = notice_after_ready;
  notice_during_new_run.busy = true;
  notice_during_new_run.live_phase = 1;
  StatusPanelInput new_run_after_failure = Ended(UpdatePhase::Failed, false, StatusKind::Network);
  new_run_after_failure.busy = true;
  new_run_after_failure.live_phase = 0;
  StatusPanelInput before_first_result;
  before_first_result.live_phase = 3;

  const struct {
    const char* label;
    StatusPanelInput input;
    StatusLine expected;
  } cases[] = {
      {"override beats the live phase", override_during_run, {Source::Override, {}, StatusKind::Ok}},
      {"override beats the notice", override_over_notice, {Source::Override, {}, StatusKind::Ok}},
      {"notice after a ready run", notice_after_ready, {Source::Notice, {}, StatusKind::Ok}},
      {"notice only after a ready outcome", notice_after_offline, Text(UiString::PhaseOfflinePlayable)},
      {"notice stays while the outcome is ready, even in a run", notice_during_new_run,
       {Source::Notice, {}, StatusKind::Ok}},
      {"offline and playable", Ended(UpdatePhase::Offline, true, StatusKind::Offline),
       Text(UiString::PhaseOfflinePlayable)},
      {"offline, not playable, with error", Ended(UpdatePhase::Offline, false, StatusKind::Offline),
       Message(StatusKind::Offline)},
      {"offline, not playable, no error", Ended(UpdatePhase::Offline, false), Text(UiString::PhaseOffline)},
      {"failed with error", Ended(UpdatePhase::Failed, false, StatusKind::DiskFull), Message(StatusKind::DiskFull)},
      {"failed without error", Ended(UpdatePhase::Failed, false), Text(UiString::PhaseFailed)},
      {"ready", Ended(UpdatePhase::Ready, true), Text(UiString::PhaseReady)},
      {"a new run follows the live phase", new_run_after_failure, Text(UiString::PhaseLooking)},
      {"no result yet reads the live phase", before_first_result, Text(UiString::PhaseDownloading)},
      {"live quick check", Live(UpdatePhase::QuickCheck), Text(UiString::PhaseChecking)},
      {"live full check", Live(UpdatePhase::FullCheck), Text(UiString::PhaseVerifying)},
      {"live self-update", Live(UpdatePhase::SelfUpdating), Text(UiString::PhaseSelfUpdate)},
      {"unknown phase", Live(static_cast<UpdatePhase>(8)), StatusLine{}},
      {"negative phase", Live(static_cast<UpdatePhase>(-1)), StatusLine{}},
  };
  for (const auto& c : cases) EXPECT_EQ(StatusText(c.input), c.expected) << c.label;
}

TEST(ProgressFillFor, WidthLookAndTheHalfPixelThreshold) {
  const struct {
    float percent;
    std::int32_t phase;
    ProgressFill expected;
  } cases[] = {
      {0, 3, {}},
      {0.07f, 3, {}},  // 0.47 pixels
      {100, 5, {ProgressFill::Look::Metal, 676}},
      {50, 1, {ProgressFill::Look::Ember, 338}},
      {150, 3, {ProgressFill::Look::Ember, 676}},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgressFillFor(c.percent, c.phase), c.expected) << c.percent;
  const ProgressFill nearly = ProgressFillFor(99.97f, 3);
  EXPECT_EQ(nearly.look, ProgressFill::Look::Ember);
  EXPECT_NEAR(nearly.width, 675.8f, 0.01f);
  EXPECT_EQ(ProgressFillFor(0.08f, 3).look, ProgressFill::Look::Ember);  // 0.54 pixels
}

TEST(TransferText, SizesAndOptionalSpeed) {
  EXPECT_EQ(TransferText(0, 0, 0), "0.0 / 0.0 MB");
  EXPECT_EQ(TransferText(12897485, 478884659, 1258291.9), "12.3 / 456.7 MB \u00B7 1.2 MB/s");
  EXPECT_EQ(TransferText(1048576, 2097152, 0.4), "1.0 / 2.0 MB \u00B7 0.0 MB/s");
}

TEST(ComputeStatusPanel, FiguresForEachMoment) {
  StatusPanelInput checking = Live(UpdatePhase::QuickCheck);
  checking.files_done = 3;
  checking.files_total = 12;
  StatusPanelInput download = Live(UpdatePhase::Downloading);
  download.bytes_done = 99970;
  download.bytes_total = 100000;
  download.speed = 2097152;
  StatusPanelInput empty_download = Live(UpdatePhase::Downloading);
  StatusPanelInput offline_after_download = Ended(UpdatePhase::Offline, true, StatusKind::Offline);
  offline_after_download.bytes_done = 50;
  offline_after_download.bytes_total = 100;
  offline_after_download.files_total = 4;

  const struct {
    const char* label;
    StatusPanelInput input;
    std::int32_t phase;
    float percent;
    std::string percent_text;
    DetailLine detail;
    std::string transfer;
    ProgressFill::Look look;
  } cases[] = {
      {"run starting", Live(UpdatePhase::Searching), 0, 0, "0%", {}, "", ProgressFill::Look::None},
      {"quick check", checking, 1, 25, "25%", {DetailLine::Source::FileCount, 3, 12}, "",
       ProgressFill::Look::Ember},
      {"download nearly done", download, 3, 99.97f, "99%", {DetailLine::Source::CurrentItem, 0, 0},
       "0.1 / 0.1 MB \u00B7 2.0 MB/s", ProgressFill::Look::Ember},
      {"download of nothing", empty_download, 3, 0, "0%", {DetailLine::Source::CurrentItem, 0, 0},
       "0.0 / 0.0 MB", ProgressFill::Look::None},
      {"ready", Ended(UpdatePhase::Ready, true), 5, 100, "100%", {DetailLine::Source::AllFilesVerified, 0, 0}, "",
       ProgressFill::Look::Metal},
      {"offline keeps no fill", offline_after_download, 6, 0, "", {}, "", ProgressFill::Look::None},
      {"failed", Ended(UpdatePhase::Failed, false), 7, 0, "", {}, "", ProgressFill::Look::None},
      {"nothing received yet", StatusPanelInput{}, 0, 0, "", {}, "", ProgressFill::Look::None},
  };
  for (const auto& c : cases) {
    const StatusPanel panel = ComputeStatusPanel(c.input);
    EXPECT_EQ(panel.phase, c.phase) << c.label;
    EXPECT_FLOAT_EQ(panel.percent, c.percent) << c.label;
    EXPECT_EQ(panel.percent_text, c.percent_text) << c.label;
    EXPECT_EQ(panel.detail, c.detail) << c.label;
    EXPECT_EQ(panel.transfer_text, c.transfer) << c.label;
    EXPECT_EQ(panel.fill.look, c.look) << c.label;
  }
}

TEST(ComputeStatusPanel, ErrorColourRetryAndTheBigButton) {
  StatusPanelInput new_run = Ended(UpdatePhase::Failed, false, StatusKind::Network);
  new_run.busy = true;
  const struct {
    const char* label;
    StatusPanelInput input;
    bool failed, retry, enabled, emphasised;
  } cases[] = {
      {"running", Live(UpdatePhase::Downloading), false, false, false, false},
      {"ready", Ended(UpdatePhase::Ready, true), false, false, true, true},
      {"offline, playable", Ended(UpdatePhase::Offline, true), false, false, true, true},
      {"offline, not playable", Ended(UpdatePhase::Offline, false), true, true, true, false},
      {"failed", Ended(UpdatePhase::Failed, false, StatusKind::Corrupt), true, true, true, false},
      {"failed but the old game still plays", Ended(UpdatePhase::Failed, true), true, false, true, true},
      {"new run after a failure", new_run, false, false, false, false},
      {"nothing received yet", StatusPanelInput{}, false, false, true, false},
  };
  for (const auto& c : cases) {
    const StatusPanel panel = ComputeStatusPanel(c.input);
    EXPECT_EQ(panel.failed, c.failed) << c.label;
    EXPECT_EQ(panel.retry_mode, c.retry) << c.label;
    EXPECT_EQ(panel.play_enabled, c.enabled) << c.label;
    EXPECT_EQ(panel.play_emphasised, c.emphasised) << c.label;
  }
}

}  // namespace
}  // namespace dkl
