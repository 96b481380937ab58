#include "update/file_examine_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/file_hold_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::HoldWithoutSharing;
using testing::TempDir;
using testing::WriteFile;

// Last-write times as FILETIME ticks, and the same instants in nanoseconds since 1970.
constexpr std::uint64_t kTicks2020 = 132223104000000000;  // 2020-01-01 00:00 UTC
constexpr std::uint64_t kMtime2020 = 1577836800000000000;
constexpr std::uint64_t kTicks2021 = 132539328000000000;  // 2021-01-01 00:00 UTC
constexpr std::uint64_t kMtime2021 = 1609459200000000000;

constexpr char kContent[] = "the listed content";
constexpr char kContentSha256[] = "f68d965ce83a1a2534a997e4e8286b8ff74c5088fe1c72e2b6e338be1b723ea1";
const std::string kOtherSha256(64, 'a');

void SetLastWriteTime(const std::filesystem::path& path, std::uint64_t ticks) {
  const UniqueHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &time));
}

class ExamineFileTest : public ::testing::Test {
 protected:
  // Writes the listed file with `content` and last-write time `ticks`; the entry lists that size.
  void Place(std::string_view content, std::uint64_t ticks) {
    WriteFile(path(), content);
    SetLastWriteTime(path(), ticks);
    entry_.size = content.size();
  }
  std::filesystem::path path() const { return game_ / "data" / "file.bin"; }

  TempDir game_;
  FileEntry entry_{"data/file.bin", kContentSha256, 0, std::nullopt};
};

TEST_F(ExamineFileTest, QuickCheckTrustsAnUntouchedFileWithoutReadingIt) {
  Place(kContent, kTicks2020);
  const UniqueHandle held = HoldWithoutSharing(path());
  // An empty remembered sha256 is trusted too: it differs from the entry, so the file is fetched.
  for (const std::string& remembered_sha256 : {kOtherSha256, std::string()}) {
    const Known remembered{sizeof kContent - 1, kMtime2020, remembered_sha256};
    EXPECT_EQ(ExamineFile(game_.path(), entry_, &remembered, false), remembered);
    EXPECT_EQ(ExamineFile(game_.path(), entry_, &remembered, true), std::nullopt) << "must read, cannot";
  }
  EXPECT_EQ(ExamineFile(game_.path(), entry_, nullptr, false), std::nullopt) << "nothing remembered";
}

TEST_F(ExamineFileTest, SameSizeAndContentWithANewTimeIsHashedAndGetsTheNewTime) {
  Place(kContent, kTicks2021);
  // Remembered under another hash, so that only hashing the file gives the content's.
  const Known remembered{sizeof kContent - 1, kMtime2020, kOtherSha256};
  EXPECT_EQ(ExamineFile(game_.path(), entry_, &remembered, false),
            (Known{sizeof kContent - 1, kMtime2021, kContentSha256}));
}

TEST_F(ExamineFileTest, ContentChangedBehindARestoredTimeIsFoundOnlyByTheFullCheck) {
  Place(kContent, kTicks2020);
  const std::optional<Known> remembered = ExamineFile(game_.path(), entry_, nullptr, false);
  ASSERT_EQ(remembered, (Known{sizeof kContent - 1, kMtime2020, kContentSha256}));

  Place("The listed content", kTicks2020);
  EXPECT_EQ(ExamineFile(game_.path(), entry_, &*remembered, false), remembered);
  EXPECT_EQ(ExamineFile(game_.path(), entry_, &*remembered, true),
            (Known{sizeof kContent - 1, kMtime2020, "3b12bffdced48cc1bcf46abb25975af6d0f03116c8c8a91ea1924013a5e6a0d9"}));
}

TEST_F(ExamineFileTest, WrongSizeIsReportedWithoutReading) {
  Place(kContent, kTicks2020);
  entry_.size = 1000;
  const Known remembered{sizeof kContent - 1, kMtime2020, kContentSha256};
  const UniqueHandle held = HoldWithoutSharing(path());
  const Known expected{sizeof kContent - 1, kMtime2020, ""};
  EXPECT_EQ(ExamineFile(game_.path(), entry_, &remembered, false), expected);
  EXPECT_EQ(ExamineFile(game_.path(), entry_, nullptr, true), expected);
}

TEST_F(ExamineFileTest, EmptyFileIsHashedToTheHashOfNoBytes) {
  Place("", kTicks2020);
  EXPECT_EQ(ExamineFile(game_.path(), entry_, nullptr, false),
            (Known{0, kMtime2020, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"}));
}

TEST_F(ExamineFileTest, NoneWhenThereIsNoRegularFileToExamine) {
  std::filesystem::create_directories(game_ / "data" / "folder.bin");
  WriteFile(game_ / "outside.bin", kContent);
  const std::filesystem::path game_folder = game_ / "data";
  const struct {
    const char* path;
    const char* why;
  } cases[] = {
      {"missing.bin", "missing"},
      {"folder.bin", "a folder in its place"},
      {"../outside.bin", "a refused path, although the file exists"},
  };
  for (const auto& [listed, why] : cases) {
    const FileEntry entry{listed, kContentSha256, sizeof kContent - 1, std::nullopt};
    EXPECT_EQ(ExamineFile(game_folder, entry, nullptr, true), std::nullopt) << why;
  }
}

}  // namespace
}  // namespace dkl
