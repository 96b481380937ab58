#include "base/atomic_write_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/unique_handle_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(AtomicWriteFile, CreatesMissingFoldersAndLeavesNoStagingFile) {
  TempDir dir;
  const auto target = dir / "a" / "b" / "settings.json";
  const Status status = AtomicWriteFile(target, AsBytes("{}"));
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(ReadFile(target), "{}");
  EXPECT_FALSE(std::filesystem::exists(dir / "a" / "b" / "settings.json.tmp"));
}

TEST(AtomicWriteFile, ReplacesTheTargetWhole) {
  TempDir dir;
  WriteFile(dir / "state.json", std::string(5000, 'o'));
  ASSERT_TRUE(AtomicWriteFile(dir / "state.json", AsBytes("new")).ok());
  EXPECT_EQ(ReadFile(dir / "state.json"), "new");
}

TEST(AtomicWriteFile, StaleStagingFileIsTruncated) {
  TempDir dir;
  WriteFile(dir / "state.json.tmp", std::string(4096, 's'));  // left by a crash before the rename
  ASSERT_TRUE(AtomicWriteFile(dir / "state.json", AsBytes("fresh")).ok());
  EXPECT_EQ(ReadFile(dir / "state.json"), "fresh");
  EXPECT_FALSE(std::filesystem::exists(dir / "state.json.tmp"));
}

TEST(AtomicWriteFile, EmptyViewWritesAnEmptyFile) {
  TempDir dir;
  WriteFile(dir / "f", "old");
  ASSERT_TRUE(AtomicWriteFile(dir / "f", ByteView()).ok());
  EXPECT_TRUE(std::filesystem::exists(dir / "f"));
  EXPECT_EQ(std::filesystem::file_size(dir / "f"), 0u);
}

TEST(AtomicWriteFile, WritesMoreThanOnePiece) {
  TempDir dir;
  std::string big(2 * 1048576 + 3, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i % 251);
  ASSERT_TRUE(AtomicWriteFile(dir / "big", AsBytes(big)).ok());
  EXPECT_EQ(ReadFile(dir / "big"), big);
}

// What a read-only target gives on Windows: the replace step is refused with error 5.
void ExpectReplaceDenied(const TempDir& dir, const std::filesystem::path& target) {
  const Status status = AtomicWriteFile(target, AsBytes("lost"));
  EXPECT_EQ(status.kind, StatusKind::Denied);
  EXPECT_EQ(status.message, "replace settings.json (error 5)");
  EXPECT_EQ(ReadFile(target), "keep");
  EXPECT_FALSE(std::filesystem::exists(dir / "settings.json.tmp"));
}

TEST(AtomicWriteFile, ReadOnlyTargetIsDeniedInTheReplaceStep) {
  TempDir dir;
  const auto target = dir / "settings.json";
  WriteFile(target, "keep");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  UniqueHandle writable(
      CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (writable) {
    GTEST_SKIP() << "this process may write read-only files (Wine running as root ignores the attribute)";
  }
  ExpectReplaceDenied(dir, target);
}

TEST(AtomicWriteFile, TargetHeldOpenWithoutDeleteSharingIsDeniedInTheReplaceStep) {
  TempDir dir;
  const auto target = dir / "settings.json";
  WriteFile(target, "keep");
  // A reader such as a scanner or the game itself, sharing read and write but not delete.
  UniqueHandle reader(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader);
  ExpectReplaceDenied(dir, target);
}

TEST(AtomicWriteFile, StagingFileHeldOpenIsDeniedInTheCreateStep) {
  TempDir dir;
  const auto staging = dir / "settings.json.tmp";
  WriteFile(staging, "");
  // Another writer of the same target holds the staging file without sharing.
  HANDLE other = CreateFileW(staging.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  const Status status = AtomicWriteFile(dir / "settings.json", AsBytes("x"));
  CloseHandle(other);
  EXPECT_EQ(status.kind, StatusKind::Denied);
  EXPECT_EQ(status.message, "create settings.json.tmp (error 32)");
  EXPECT_FALSE(std::filesystem::exists(dir / "settings.json"));
}

TEST(AtomicWriteFile, UncreatableFolderFailsInTheCreateStep) {
  TempDir dir;
  WriteFile(dir / "file", "");
  const Status status = AtomicWriteFile(dir / "file" / "settings.json", AsBytes("x"));
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message.rfind("create settings.json.tmp (error ", 0), 0u) << status.message;
}

}  // namespace
}  // namespace dkl
