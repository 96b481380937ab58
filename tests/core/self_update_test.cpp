#include "core/self_update.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

TEST(IsNewerLauncher, OnlyAHigherVersionThanTheRunningOneCounts) {
  for (const char* newer : {"2.0.2", "2.1.0", "3.0.0", "2.1", "10"}) EXPECT_TRUE(IsNewerLauncher(newer)) << newer;
  for (const char* not_newer : {"2.0.1", "2.0.1.9", "2.0.0", "1.99.99", "2.0.01", "", "two"}) {
    EXPECT_FALSE(IsNewerLauncher(not_newer)) << not_newer;
  }
}

TEST(LauncherObjectEntry, CarriesTheHashAndSizesUnderTheNameLauncher) {
  const FileEntry entry = LauncherObjectEntry({"2.0.2", std::string(64, 'a'), 1234, 600});
  EXPECT_EQ(entry.path, "launcher");
  EXPECT_EQ(entry.sha256, std::string(64, 'a'));
  EXPECT_EQ(entry.size, 1234u);
  EXPECT_EQ(entry.gz, 600u);
}

}  // namespace
}  // namespace dkl
