#include "update/file_hash_win.h"

#include <gtest/gtest.h>

#include <random>

#include "support/file_hold_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::HoldWithoutSharing;
using testing::TempDir;
using testing::WriteFile;

TEST(HashFile, FileOfSeveralChunksHashesLikeTheSameBytesInMemory) {
  TempDir dir;
  // Three whole chunks and a part of a fourth, the part not a whole number of blocks.
  std::string content(3 * 1048576 + 4097, '\0');
  std::mt19937 random(3);
  for (char& byte : content) byte = static_cast<char>(random() & 0xff);
  WriteFile(dir / "big.bin", content);
  Sha256 in_memory = Sha256::Portable();
  in_memory.Update(AsBytes(content));
  EXPECT_EQ(HashFile(dir / "big.bin"), Sha256Hex(in_memory.Finish()));
}

TEST(HashFile, EmptyFileIsTheHashOfNoBytes) {
  TempDir dir;
  WriteFile(dir / "empty.bin", "");
  EXPECT_EQ(HashFile(dir / "empty.bin"), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST(HashFile, FileThatCannotBeReadGivesAnEmptyString) {
  TempDir dir;
  WriteFile(dir / "held.bin", "content");
  std::filesystem::create_directory(dir / "folder");
  const UniqueHandle held = HoldWithoutSharing(dir / "held.bin");
  EXPECT_EQ(HashFile(dir / "held.bin"), "") << "held without read sharing";
  EXPECT_EQ(HashFile(dir / "folder"), "");
  EXPECT_EQ(HashFile(dir / "missing.bin"), "");
}

}  // namespace
}  // namespace dkl
