#include "base/file_read_win.h"

#include <gtest/gtest.h>

#include "base/json_file_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::TempDir;
using testing::WriteFile;

TEST(ReadWholeFile, SizeAtTheLimitIsReadAndOneByteMoreIsRefused) {
  TempDir dir;
  const std::string content(3 * 1048576 + 17, 'x');
  WriteFile(dir / "f", content);
  Bytes out;
  ASSERT_TRUE(ReadWholeFile(dir / "f", content.size(), out));
  EXPECT_EQ(AsText(out), content);

  out = {1, 2};
  EXPECT_FALSE(ReadWholeFile(dir / "f", content.size() - 1, out));
  EXPECT_TRUE(out.empty());
}

TEST(ReadWholeFile, EmptyFileAndMissingFile) {
  TempDir dir;
  WriteFile(dir / "empty", "");
  Bytes out{9};
  EXPECT_TRUE(ReadWholeFile(dir / "empty", 0, out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(ReadWholeFile(dir / "missing", 100, out));
  EXPECT_FALSE(ReadWholeFile(dir.path(), 100, out)) << "a folder is not a file";
}

TEST(LoadJsonObjectFile, ObjectOrEmptyObject) {
  TempDir dir;
  WriteFile(dir / "good.json", "{\"a\": [1]}");
  WriteFile(dir / "array.json", "[1]");
  WriteFile(dir / "bad.json", "{\"a\": ");
  EXPECT_EQ(LoadJsonObjectFile(dir / "good.json", 100).dump(), "{\"a\":[1]}");
  EXPECT_EQ(LoadJsonObjectFile(dir / "good.json", 9).dump(), "{}") << "over the maximum";
  EXPECT_EQ(LoadJsonObjectFile(dir / "array.json", 100).dump(), "{}");
  EXPECT_EQ(LoadJsonObjectFile(dir / "bad.json", 100).dump(), "{}");
  EXPECT_EQ(LoadJsonObjectFile(dir / "missing.json", 100).dump(), "{}");
}

}  // namespace
}  // namespace dkl
