// The commands the window calls, against real folders and real update runs under Wine.
#include <atomic>

#include <gtest/gtest.h>

#include "base/paths_win.h"
#include "base/text_win.h"
#include "core/app_context_win.h"
#include "core/launcher_settings_win.h"
#include "gfx/display_settings_win.h"
#include "support/loopback_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::ReadFile;
using testing::TempDir;

class ControllerTest : public ::testing::Test {
 protected:
  ControllerTest() {
    context_.game_folder_override = game_.path();
    context_.mirrors = {"http://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort())};
  }
  ~ControllerTest() override { context_.join_worker(); }

  void UseAdvice(AdviceLevel level) {
    context_.graphics.adapters = {GraphicsAdapter{.name = "Crown GPU 200", .driver_version = "31.0.15.1"}};
    context_.graphics.chosen_adapter = 0;
    context_.graphics.level = level;
  }

  TempDir app_data_;
  TempDir game_;
  AppContext context_{app_data_.path()};
};

TEST_F(ControllerTest, OneRunAtATimeWithItsCallbackCalledOnceAfterBusyIsCleared) {
  std::atomic<int> calls{0};
  std::atomic<bool> busy_seen{true};
  const auto on_done = [&](const SyncOutcome& outcome) {
    busy_seen = context_.state.busy.load();
    EXPECT_EQ(outcome.kind, UpdatePhase::Offline);
    ++calls;
  };
  ASSERT_TRUE(context_.start_update(false, on_done).ok());
  const Status second = context_.start_update(true, on_done);
  // The first run may already have ended; only a refusal proves a run was still going.
  if (!second.ok()) {
    EXPECT_EQ(second.kind, StatusKind::Busy);
    EXPECT_EQ(second.message, "already updating");
  }
  context_.join_worker();
  EXPECT_EQ(calls.load(), second.ok() ? 2 : 1);
  EXPECT_FALSE(busy_seen.load());
  EXPECT_FALSE(context_.state.playable.load());
}

TEST_F(ControllerTest, ARunInProgressRefusesTheCommandsThatTouchFiles) {
  context_.state.busy = true;
  int calls = 0;
  const Status again = context_.start_update(false, [&](const SyncOutcome&) { ++calls; });
  EXPECT_EQ(again.kind, StatusKind::Busy);
  EXPECT_EQ(again.message, "already updating");
  EXPECT_FALSE(context_.state.worker.joinable());
  bool changed = true;
  const Status folder = context_.set_game_folder(game_ / "other", DisplaySettings{}, changed);
  EXPECT_EQ(folder.kind, StatusKind::Busy);
  EXPECT_EQ(folder.message, "updating");
  EXPECT_FALSE(changed);
  UseAdvice(AdviceLevel::Old);
  EXPECT_EQ(context_.apply_graphics_advice().message, "updating");
  EXPECT_FALSE(std::filesystem::exists(game_ / "settings.json"));
  context_.state.busy = false;
  EXPECT_EQ(calls, 0);
}

TEST_F(ControllerTest, GameFolderChoices) {
  bool changed = true;
  const Status relative = context_.set_game_folder("Games\\Crown", DisplaySettings{}, changed);
  EXPECT_EQ(relative.kind, StatusKind::Invalid);
  EXPECT_EQ(relative.message, "game folder must be absolute");
  EXPECT_FALSE(changed);
  EXPECT_FALSE(std::filesystem::exists(app_data_ / "settings.json"));

  context_.game_folder_override.reset();
  const std::filesystem::path chosen = game_ / "Crown";
  context_.state.playable = true;
  DisplaySettings display;
  display.width = 1280;
  display.height = 960;
  const Status set = context_.set_game_folder(chosen, display, changed);
  ASSERT_TRUE(set.ok()) << set.message;
  EXPECT_TRUE(changed);
  EXPECT_EQ(LoadLauncherSettings(app_data_.path()).game_dir, WideToUtf8(chosen.native()));
  EXPECT_EQ(LoadDisplaySettings(chosen).width, 1280u);
  EXPECT_FALSE(context_.state.playable.load());

  context_.state.playable = true;
  ASSERT_TRUE(context_.set_game_folder(game_ / "Crown" / "sub" / "..", display, changed).ok());
  EXPECT_FALSE(changed) << "another spelling of the folder in use";
  EXPECT_TRUE(context_.state.playable.load());
}

TEST_F(ControllerTest, TheDefaultGameFolderIsStoredAsNull) {
  context_.game_folder_override.reset();
  context_.settings.game_dir = WideToUtf8((game_ / "elsewhere").native());
  const std::filesystem::path display_file = DefaultGameFolder() / "settings.json";
  const bool existed = std::filesystem::exists(display_file);
  bool changed = false;
  ASSERT_TRUE(context_.set_game_folder(DefaultGameFolder(), DisplaySettings{}, changed).ok());
  if (!existed) std::filesystem::remove(display_file);
  EXPECT_TRUE(changed);
  EXPECT_NE(ReadFile(app_data_ / "settings.json").find("\"game_dir\": null"), std::string::npos);
}

TEST_F(ControllerTest, LanguageIsEnglishOrSpanishOnly) {
  const Status french = context_.set_language("fr");
  EXPECT_EQ(french.kind, StatusKind::Invalid);
  EXPECT_EQ(french.message, "lang");
  EXPECT_EQ(context_.settings.lang, "es");
  ASSERT_TRUE(context_.set_language("en").ok());
  EXPECT_EQ(LoadLauncherSettings(app_data_.path()).lang, "en");
}

TEST_F(ControllerTest, GraphicsAdviceIsOfferedAppliedAndDismissed) {
  const struct {
    AdviceLevel level;
    bool lighting_after;
    std::int32_t detail_after;
  } cases[] = {{AdviceLevel::Modest, true, 2}, {AdviceLevel::Old, false, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.level));
    context_.settings.gpu_notice_dismissed.clear();
    std::filesystem::remove(game_ / "settings.json");
    std::filesystem::remove(game_ / ".dklauncher" / "launcher.log");
    UseAdvice(c.level);
    EXPECT_TRUE(context_.graphics_notice_needed());

    ASSERT_TRUE(context_.apply_graphics_advice().ok());
    const DisplaySettings applied = LoadDisplaySettings(game_.path());
    EXPECT_FALSE(applied.bodyAuras);
    EXPECT_EQ(applied.ambientLighting, c.lighting_after);
    EXPECT_EQ(applied.detailLevel, c.detail_after);
    EXPECT_FALSE(context_.graphics_notice_needed()) << "the settings already match the advice";
    EXPECT_NE(ReadFile(game_ / ".dklauncher" / "launcher.log").find(" gpu advice applied: Crown GPU 200|31.0.15.1\n"),
              std::string::npos);

    SaveDisplaySettings(game_.path(), DisplaySettings{});
    EXPECT_TRUE(context_.graphics_notice_needed());
    context_.dismiss_graphics_notice();
    EXPECT_FALSE(context_.graphics_notice_needed());
    EXPECT_EQ(LoadLauncherSettings(app_data_.path()).gpu_notice_dismissed, "Crown GPU 200|31.0.15.1");
    context_.graphics.adapters[0].driver_version = "31.0.15.2";
    EXPECT_TRUE(context_.graphics_notice_needed()) << "a new driver brings the notice back";
  }
  UseAdvice(AdviceLevel::Fine);
  EXPECT_FALSE(context_.graphics_notice_needed());
}

}  // namespace
}  // namespace dkl
