#include "ui/window_state.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

SyncOutcome Ended(UpdatePhase kind, bool playable) {
  SyncOutcome outcome;
  outcome.kind = kind;
  outcome.playable = playable;
  outcome.installed_version = "1.0.0";
  return outcome;
}

TEST(WindowState, StartsWithNothingAdoptedAndTheFirstPhase) {
  const WindowState state;
  EXPECT_EQ(state.shown_outcome.kind, UpdatePhase::Searching);
  EXPECT_FALSE(state.final_received);
  EXPECT_EQ(state.page, Page::Main);
  EXPECT_EQ(state.display, DisplaySettings{});
}

TEST(WindowState, OnlyTheExactSettingEnOpensInEnglish) {
  EXPECT_TRUE(EnglishFromSetting("en"));
  for (const char* other : {"EN", "es", "", "en ", "de"}) EXPECT_FALSE(EnglishFromSetting(other)) << other;
}

TEST(WindowState, BeginRunClearsTheCommandTextsAndTheSpeed) {
  WindowState state;
  state.status_override = L"The game is already running.";
  state.notice = L"Done";
  state.speed = {100, 200, 3000};
  BeginRun(state, 5000);
  EXPECT_TRUE(state.status_override.empty());
  EXPECT_TRUE(state.notice.empty());
  EXPECT_EQ(state.speed.bytes_per_second, 0);
  EXPECT_EQ(state.speed.last_tick_ms, 5000u);
}

TEST(WindowState, RefusedStartIsShownAsAFailedRunUnlessARunIsGoing) {
  const struct {
    Status answer;
    bool shown_as_failure;
  } cases[] = {
      {OkStatus(), false},
      {MakeStatus(StatusKind::Busy, "already updating"), false},
      {MakeStatus(StatusKind::Io, "start update worker"), true},
  };
  for (const auto& c : cases) {
    WindowState state;
    state.shown_outcome = Ended(UpdatePhase::Ready, true);
    AdoptStartAnswer(state, c.answer);
    EXPECT_EQ(state.final_received, c.shown_as_failure) << c.answer.message;
    if (!c.shown_as_failure) {
      EXPECT_EQ(state.shown_outcome.kind, UpdatePhase::Ready);
      continue;
    }
    EXPECT_EQ(state.shown_outcome.kind, UpdatePhase::Failed);
    EXPECT_FALSE(state.shown_outcome.playable);
    ASSERT_TRUE(state.shown_outcome.error);
    EXPECT_EQ(state.shown_outcome.error->kind, StatusKind::Io);
    EXPECT_EQ(state.shown_outcome.error->message, "start update worker");
  }
}

TEST(WindowState, OutcomeIsAdoptedAndARestartClosesTheWindow) {
  WindowState state;
  EXPECT_FALSE(AdoptOutcome(state, Ended(UpdatePhase::Ready, true)));
  EXPECT_TRUE(state.final_received);
  EXPECT_EQ(state.shown_outcome.installed_version, "1.0.0");
  EXPECT_FALSE(state.restart_after_close);

  SyncOutcome replaced = Ended(UpdatePhase::SelfUpdating, false);
  replaced.restart = true;
  EXPECT_TRUE(AdoptOutcome(state, replaced));
  EXPECT_TRUE(state.restart_after_close);
}

TEST(WindowState, ProbeWithoutLatencyRemovesTheLastOne) {
  WindowState state;
  AdoptServerReport(state, 1, 42);
  EXPECT_TRUE(state.server_known);
  EXPECT_TRUE(state.server_online);
  EXPECT_EQ(state.latency_ms, 42u);
  AdoptServerReport(state, 1, -1);
  EXPECT_TRUE(state.server_known);
  EXPECT_EQ(state.latency_ms, std::nullopt);
  AdoptServerReport(state, 0, -1);
  EXPECT_FALSE(state.server_online);
  AdoptServerReport(state, 1, 0);
  EXPECT_EQ(state.latency_ms, 0u) << "a latency of 0 ms is still a latency";
}

TEST(WindowView, LiveStateDuringARunTheAdoptedOutcomeAfterIt) {
  WindowState state;
  AdoptOutcome(state, Ended(UpdatePhase::Failed, false));
  LiveReading live;
  live.busy = true;
  live.phase = static_cast<std::int32_t>(UpdatePhase::Downloading);
  live.bytes_done = 512;
  live.bytes_total = 1024;
  live.current_item = L"data/maps.pak";
  live.news = {NewsItem{"2024-05-01", "Patch", "Notes", "http://127.0.0.1/news/1"}};

  const WindowView running = ViewOf(state, live, GraphicsReport{});
  EXPECT_TRUE(running.busy);
  EXPECT_EQ(running.status.phase, static_cast<std::int32_t>(UpdatePhase::Downloading));
  EXPECT_FLOAT_EQ(running.status.percent, 50);
  EXPECT_FALSE(running.status.retry_mode);
  EXPECT_EQ(running.current_item, L"data/maps.pak");
  ASSERT_EQ(running.news.size(), 1u);
  EXPECT_EQ(running.news[0].title, "Patch");

  live.busy = false;
  const WindowView after = ViewOf(state, live, GraphicsReport{});
  EXPECT_EQ(after.status.phase, static_cast<std::int32_t>(UpdatePhase::Failed));
  EXPECT_TRUE(after.status.retry_mode);
  EXPECT_TRUE(after.status.failed);
}

TEST(WindowView, CarriesPointerTextsAndTheAdviceOfTheChosenAdapter) {
  WindowState state;
  state.english = true;
  state.page = Page::Settings;
  state.pointer = {ActionId::Save, ActionId::Back};
  state.status_override = L"override";
  state.folder_text = L"C:\\Games\\Crown";
  state.settings_message = L"Check the values.";
  state.display.detailLevel = 2;
  GraphicsReport graphics;
  graphics.adapters = {GraphicsAdapter{"Basic", 1, 2, "1.0", 0, true}, GraphicsAdapter{"Old card", 3, 4, "", 64, false}};
  graphics.level = AdviceLevel::Old;
  graphics.chosen_adapter = 1;

  const WindowView view = ViewOf(state, LiveReading{}, graphics);
  EXPECT_EQ(view.page, Page::Settings);
  EXPECT_TRUE(view.english);
  EXPECT_EQ(view.hover, ActionId::Save);
  EXPECT_EQ(view.pressed, ActionId::Back);
  EXPECT_EQ(view.status.line.source, StatusLine::Source::Override);
  EXPECT_EQ(view.folder_text, L"C:\\Games\\Crown");
  EXPECT_EQ(view.settings_message, L"Check the values.");
  EXPECT_EQ(view.advice_level, AdviceLevel::Old);
  ASSERT_TRUE(view.chosen_adapter);
  EXPECT_EQ(view.chosen_adapter->name, "Old card");
  EXPECT_EQ(view.card.name, "Old card");
  EXPECT_EQ(view.hints.detail_level, 1);
  EXPECT_TRUE(view.hints.body_auras_off);
}

}  // namespace
}  // namespace dkl
