#include "update/install_state_win.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(InstallStateFile, FirstSaveCreatesTheFolderAndLoadGivesItBack) {
  TempDir game;
  EXPECT_EQ(LoadInstallState(game.path()), InstallState{});
  InstallState state;
  state.serial = 3;
  state.game_exe = "Game.exe";
  state.files["Game.exe"] = Known{4, 99, std::string(64, 'f')};
  ASSERT_TRUE(SaveInstallState(state, game.path()).ok());
  EXPECT_TRUE(std::filesystem::exists(game / ".dklauncher" / "state.json"));
  EXPECT_FALSE(std::filesystem::exists(game / ".dklauncher" / "state.json.tmp"));
  EXPECT_EQ(LoadInstallState(game.path()), state);
}

TEST(InstallStateFile, FileOverSixtyFourMebibytesIsIgnoredWhole) {
  TempDir game;
  const std::string document = R"({"serial":9})";
  WriteFile(game / ".dklauncher" / "state.json", document + std::string(67108864 - document.size(), ' '));
  EXPECT_EQ(LoadInstallState(game.path()).serial, 9u);
  WriteFile(game / ".dklauncher" / "state.json", document + std::string(67108865 - document.size(), ' '));
  EXPECT_EQ(LoadInstallState(game.path()).serial, 0u);
}

}  // namespace
}  // namespace dkl
