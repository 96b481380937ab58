#include "base/paths_win.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

TEST(Paths, ExecutablePathNamesThisTestProgram) {
  const std::filesystem::path executable = ExecutablePath();
  EXPECT_EQ(executable.filename(), L"windows_tests.exe");
  EXPECT_TRUE(executable.is_absolute());
  EXPECT_EQ(DefaultGameFolder(), executable.parent_path());
}

TEST(Paths, AppDataFolderIsUnderRoamingAppData) {
  const std::filesystem::path folder = AppDataFolder();
  EXPECT_EQ(folder.filename(), L"local.duskcrown.launcher");
  EXPECT_EQ(folder.parent_path().filename(), L"Roaming");
}

TEST(Paths, WithSuffixExtendsTheLastComponent) {
  EXPECT_EQ(WithSuffix(L"C:\\Games\\DuskcrownLauncher.exe", L".old"), L"C:\\Games\\DuskcrownLauncher.exe.old");
  EXPECT_EQ(WithSuffix(L"C:/a/settings.json", L".tmp"), L"C:/a/settings.json.tmp");
}

}  // namespace
}  // namespace dkl
