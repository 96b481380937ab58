// Starting the game from the launcher: real processes under Wine, the stand-in game recording how
// it was started.
#include <gtest/gtest.h>

#include "base/text_win.h"
#include "core/app_context_win.h"
#include "support/child_process_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::CopyBuiltProgram;
using testing::RecordValue;
using testing::TempDir;
using testing::WaitForFile;

class GameLaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context_.settings.game_dir = WideToUtf8(game_.native());
    context_.state.playable = true;
  }

  void NameGameExe(std::string name) {
    const std::lock_guard lock(context_.state.game_exe_lock);
    context_.state.game_exe = std::move(name);
  }

  TempDir root_;
  // A space to need the quotes, a letter beyond ASCII to need UTF-16 all the way.
  std::filesystem::path game_ = root_ / L"Duskhaven Crown \u00d1";
  AppContext context_;
};

TEST_F(GameLaunchTest, NotReadyWhileARunIsBusyOrTheGameIsNotPlayable) {
  CopyBuiltProgram(L"test_game.exe", game_, L"Game_x64_win.exe");
  for (const auto& [busy, playable] : {std::pair{true, true}, std::pair{false, false}, std::pair{true, false}}) {
    context_.state.busy = busy;
    context_.state.playable = playable;
    const Status status = context_.launch_game();
    EXPECT_EQ(status.kind, StatusKind::Busy) << busy << playable;
    EXPECT_EQ(status.message, "not ready");
  }
}

TEST_F(GameLaunchTest, NamedExecutableStartsWithTheArgumentInTheGameFolder) {
  const auto game = CopyBuiltProgram(L"test_game.exe", game_ / "bin", L"Game.exe");
  NameGameExe("bin/Game.exe");
  const Status status = context_.launch_game();
  ASSERT_TRUE(status.ok()) << status.message;

  const std::string record = WaitForFile(game_ / "bin" / "test-game-record.txt");
  ASSERT_FALSE(record.empty()) << "the game never started";
  EXPECT_EQ(RecordValue(record, "cmd"), "\"" + WideToUtf8(game.native()) + "\" --from-launcher");
  EXPECT_EQ(record.find("arg="), record.rfind("arg=")) << "one argument only";
  EXPECT_EQ(RecordValue(record, "arg"), "--from-launcher");
  EXPECT_EQ(RecordValue(record, "cwd"), WideToUtf8(game_.native()));
}

TEST_F(GameLaunchTest, WithoutANameTheDefaultExecutableStarts) {
  CopyBuiltProgram(L"test_game.exe", game_, L"Game_x64_win.exe");
  const Status status = context_.launch_game();
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(RecordValue(WaitForFile(game_ / "test-game-record.txt"), "arg"), "--from-launcher");
}

TEST_F(GameLaunchTest, NameThatLeavesTheGameFolderIsRefused) {
  for (const std::string& name : {std::string("../x.exe"), std::string("bin/../../x.exe"), std::string("C:/x.exe"),
                                  std::string("/x.exe"), std::string("bin\\x.exe"), std::string(237, 'a') + ".exe"}) {
    NameGameExe(name);
    const Status status = context_.launch_game();
    EXPECT_EQ(status.kind, StatusKind::Invalid) << name;
    EXPECT_EQ(status.message, "game exe") << name;
  }
  NameGameExe("bin/" + std::string(232, 'a') + ".exe");
  EXPECT_EQ(context_.launch_game().message.substr(0, 10), "start bin/") << "240 bytes are still a name";
}

TEST_F(GameLaunchTest, MissingDefaultExecutableReportsItsName) {
  std::filesystem::create_directories(game_);
  const Status status = context_.launch_game();
  EXPECT_EQ(status.kind, StatusKind::Io);
  EXPECT_EQ(status.message, "start Game_x64_win.exe (error 2)");
}

}  // namespace
}  // namespace dkl
