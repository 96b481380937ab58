#include "base/launcher_log_win.h"

#include <gtest/gtest.h>

#include <cctype>

#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::filesystem::path LogIn(const TempDir& game) { return game / ".dklauncher" / "launcher.log"; }

// The log with every line's time (digits at a line start before " v2.0.1 ") written as "T".
std::string WithoutTimes(const std::string& log) {
  std::string out;
  std::size_t at = 0;
  while (at < log.size()) {
    std::size_t digits = at;
    while (digits < log.size() && std::isdigit(static_cast<unsigned char>(log[digits]))) ++digits;
    if (digits > at && log.compare(digits, 8, " v2.0.1 ") == 0) {
      out += 'T';
      at = digits;
    }
    const std::size_t end = log.find('\n', at);
    const std::size_t next = end == std::string::npos ? log.size() : end + 1;
    out.append(log, at, next - at);
    at = next;
  }
  return out;
}

TEST(LauncherLog, FirstAppendCreatesTheFolderAndTheLine) {
  TempDir game;
  AppendLauncherLog(game.path(), "gpu: software adapter");
  EXPECT_EQ(WithoutTimes(ReadFile(LogIn(game))), "T v2.0.1 gpu: software adapter\n");
}

TEST(LauncherLog, AppendsWithoutTranslatingLineBreaks) {
  TempDir game;
  AppendLauncherLog(game.path(), "one");
  AppendLauncherLog(game.path(), "sync failed (io): first\nsecond");
  AppendLauncherLog(game.path(), "sync failed (rollback): ");
  const std::string log = ReadFile(LogIn(game));
  EXPECT_EQ(log.find('\r'), std::string::npos);
  EXPECT_EQ(WithoutTimes(log),
            "T v2.0.1 one\n"
            "T v2.0.1 sync failed (io): first\nsecond\n"
            "T v2.0.1 sync failed (rollback): \n");
}

TEST(LauncherLog, OversizedLogIsDeletedBeforeTheNextLine) {
  TempDir game;
  WriteFile(LogIn(game), std::string(300000, 'o'));
  AppendLauncherLog(game.path(), "fresh");
  EXPECT_EQ(WithoutTimes(ReadFile(LogIn(game))), "T v2.0.1 fresh\n");
}

TEST(LauncherLog, LogAtExactlyTheBoundIsKept) {
  TempDir game;
  WriteFile(LogIn(game), std::string(262144, 'o'));
  AppendLauncherLog(game.path(), "kept");
  const std::string log = ReadFile(LogIn(game));
  EXPECT_EQ(log.substr(0, 262144), std::string(262144, 'o'));
  EXPECT_EQ(WithoutTimes(log.substr(262144)), "T v2.0.1 kept\n");
}

TEST(LauncherLog, FolderThatCannotBeCreatedIsSilentlySkipped) {
  TempDir dir;
  WriteFile(dir / "game", "a file where the game folder should be");
  AppendLauncherLog(dir / "game", "lost");
  EXPECT_EQ(ReadFile(dir / "game"), "a file where the game folder should be");
  EXPECT_FALSE(std::filesystem::exists(dir / "game" / ".dklauncher"));
}

}  // namespace
}  // namespace dkl
