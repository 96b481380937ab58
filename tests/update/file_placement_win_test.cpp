// Placing verified files over real files under Wine, with a held handle standing in for the game.
#include "update/file_placement_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/unique_handle_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class FilePlacementTest : public ::testing::Test {
 protected:
  // Opens `path` the way a running game holds its files: no sharing at all.
  UniqueHandle HoldLikeTheGame(const std::filesystem::path& path) {
    return UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  PlacementPause Counting() {
    return [this](std::chrono::milliseconds pause) { pauses_.push_back(pause.count()); };
  }

  TempDir game_;
  TempDir area_;
  std::vector<long long> pauses_;
  UpdateProgress progress_;
};

TEST_F(FilePlacementTest, TargetHeldByTheGameIsTried25TimesThenReportedAsGameRunning) {
  WriteFile(game_ / "bin" / "Game.exe", "old");
  WriteFile(area_ / "new.ok", "new");
  UniqueHandle game = HoldLikeTheGame(game_ / "bin" / "Game.exe");
  ASSERT_TRUE(game);
  Known placed;
  const Status status =
      PlaceFile(area_ / "new.ok", game_ / "bin" / "Game.exe", FileEntry{"bin/Game.exe", "h", 3, {}}, placed, Counting());
  EXPECT_EQ(status.kind, StatusKind::GameRunning);
  EXPECT_EQ(status.message, "bin/Game.exe");
  EXPECT_EQ(pauses_, std::vector<long long>(24, 200));
  EXPECT_FALSE(std::filesystem::exists(area_ / "new.ok"));
  game.reset();
  EXPECT_EQ(ReadFile(game_ / "bin" / "Game.exe"), "old");
}

TEST_F(FilePlacementTest, TargetReleasedWhileWaitingIsReplaced) {
  WriteFile(game_ / "Game.exe", "old");
  WriteFile(area_ / "new.ok", "newer");
  UniqueHandle game = HoldLikeTheGame(game_ / "Game.exe");
  ASSERT_TRUE(game);
  Known placed;
  const PlacementPause release_on_fifth = [&](std::chrono::milliseconds pause) {
    pauses_.push_back(pause.count());
    if (pauses_.size() == 5) game.reset();
  };
  const Status status =
      PlaceFile(area_ / "new.ok", game_ / "Game.exe", FileEntry{"Game.exe", "abc", 5, {}}, placed, release_on_fifth);
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(pauses_.size(), 5u);
  EXPECT_EQ(ReadFile(game_ / "Game.exe"), "newer");
  EXPECT_EQ(placed.size, 5u);
  EXPECT_EQ(placed.sha256, "abc");
  EXPECT_GT(placed.mtime, 0u);
}

TEST_F(FilePlacementTest, OtherMoveFailuresEndAtOnce) {
  Known placed;
  const Status status =
      PlaceFile(area_ / "missing.ok", game_ / "x.dat", FileEntry{"x.dat", "h", 1, {}}, placed, Counting());
  EXPECT_EQ(status.kind, StatusKind::Io);
  EXPECT_EQ(status.message, "place x.dat (error 2)");
  EXPECT_TRUE(pauses_.empty());
}

// Windows refuses to replace a read-only file (error 5); Wine 8 replaces it all the same, so under
// Wine this shows the result, and the next test shows the attribute being cleared.
TEST_F(FilePlacementTest, ReadOnlyGameFileIsReplacedAtOnce) {
  const auto target = game_ / "data" / "world.pak";
  WriteFile(target, "old");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  WriteFile(area_ / "new.ok", "newer");
  Known placed;
  const Status status =
      PlaceFile(area_ / "new.ok", target, FileEntry{"data/world.pak", "h", 5, {}}, placed, Counting());
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_TRUE(pauses_.empty());
  EXPECT_EQ(ReadFile(target), "newer");
  EXPECT_EQ(placed.size, 5u);
  EXPECT_FALSE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(FilePlacementTest, RefusedReadOnlyGameFileLosesTheAttributeBeforeTheWaitForTheGame) {
  const auto target = game_ / "bin" / "Game.exe";
  WriteFile(target, "old");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  UniqueHandle game = HoldLikeTheGame(target);
  ASSERT_TRUE(game);
  WriteFile(area_ / "new.ok", "new");
  Known placed;
  const Status status = PlaceFile(area_ / "new.ok", target, FileEntry{"bin/Game.exe", "h", 3, {}}, placed, Counting());
  EXPECT_EQ(status.kind, StatusKind::GameRunning);
  EXPECT_EQ(pauses_, std::vector<long long>(24, 200)) << "clearing the attribute costs no wait";
  EXPECT_FALSE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY);
  game.reset();
  EXPECT_EQ(ReadFile(target), "old");
}

TEST_F(FilePlacementTest, FolderAtTheTargetIsReportedAtOnceWithThePathAndKept) {
  for (const bool empty : {true, false}) {
    SCOPED_TRACE(empty ? "empty folder" : "folder with a file");
    const TempDir game;
    std::filesystem::create_directories(game / "data" / "world.pak");
    if (!empty) WriteFile(game / "data" / "world.pak" / "mine.txt", "the player's");
    WriteFile(area_ / "new.ok", "new");
    pauses_.clear();
    Known placed;
    const Status status =
        PlaceFile(area_ / "new.ok", game / "data" / "world.pak", FileEntry{"data/world.pak", "h", 3, {}}, placed,
                  Counting());
    EXPECT_EQ(status.kind, StatusKind::Io);
    EXPECT_EQ(status.message, "place data/world.pak: a folder is in the way");
    EXPECT_TRUE(pauses_.empty());
    EXPECT_FALSE(std::filesystem::exists(area_ / "new.ok"));
    EXPECT_TRUE(std::filesystem::is_directory(game / "data" / "world.pak"));
    if (!empty) {
      EXPECT_EQ(ReadFile(game / "data" / "world.pak" / "mine.txt"), "the player's");
    }
  }
}

TEST_F(FilePlacementTest, OneContentIsPlacedAtEveryPathOfItsGroup) {
  WriteFile(area_ / "c.ok", "shared");
  const std::vector<FileEntry> group = {
      {"a/one.dat", "c", 6, {}}, {"b/deep/two.dat", "c", 6, {}}, {"three.dat", "c", 6, {}}};
  std::vector<std::string> recorded;
  const PlacedFileCallback record = [&](const FileEntry& entry, const Known& known) {
    recorded.push_back(entry.path + ":" + std::to_string(known.size));
  };
  const Status status = PlaceContentGroup(game_.path(), group, area_ / "c.ok", record, progress_, Counting());
  ASSERT_TRUE(status.ok()) << status.message;
  for (const FileEntry& entry : group) EXPECT_EQ(ReadFile(game_ / entry.path), "shared") << entry.path;
  EXPECT_EQ(recorded, (std::vector<std::string>{"a/one.dat:6", "b/deep/two.dat:6", "three.dat:6"}));
  EXPECT_EQ(progress_.files_done.load(), 3u);
  EXPECT_TRUE(std::filesystem::is_empty(area_.path())) << "copies and the finished file are all consumed";
}

TEST_F(FilePlacementTest, RefusedPathEndsTheGroupWithNothingMoved) {
  WriteFile(area_ / "c.ok", "x");
  const std::vector<FileEntry> group = {{"../outside.dat", "c", 1, {}}};
  const Status status =
      PlaceContentGroup(game_.path(), group, area_ / "c.ok", [](const FileEntry&, const Known&) {}, progress_);
  EXPECT_EQ(status.kind, StatusKind::Manifest);
  EXPECT_EQ(status.message, "../outside.dat");
  EXPECT_TRUE(std::filesystem::exists(area_ / "c.ok"));
  EXPECT_EQ(progress_.files_done.load(), 0u);
}

}  // namespace
}  // namespace dkl
