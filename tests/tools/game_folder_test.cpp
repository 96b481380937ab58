#include "publish/game_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace dkl::testing {
namespace {

using ::testing::HasSubstr;

TEST(ScanGameFolder, RefusesLinksAndSpecialFilesWithoutFollowingThem) {
  TempDir temp;
  WriteFile(temp / "outside/secret.txt", "x");
  WriteFile(temp / "game/game.exe", "MZ");
  std::filesystem::create_directories(temp / "game/.empty-unsafe-folder");
  std::filesystem::create_directory_symlink(temp / "outside", temp / "game/linked");
  ASSERT_EQ(mkfifo((temp / "game/pipe").c_str(), 0600), 0);
  std::vector<publish::GameFile> files;
  const Status status = publish::ScanGameFolder(temp / "game", files);
  EXPECT_EQ(status.kind, StatusKind::Manifest);
  EXPECT_EQ(status.message, "cannot publish 2 paths:\n  linked: symbolic link\n  pipe: not a regular file");
}

TEST(ScanGameFolder, ReportsAMissingFolderAsAnIoError) {
  TempDir temp;
  std::vector<publish::GameFile> files;
  const Status status = publish::ScanGameFolder(temp / "absent", files);
  EXPECT_EQ(status.kind, StatusKind::Io);
  EXPECT_THAT(status.message, HasSubstr("absent"));
}

}  // namespace
}  // namespace dkl::testing
