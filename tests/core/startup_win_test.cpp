// Start-up as players meet it: real launcher processes under Wine, real files.
#include "core/startup_win.h"

#include <windows.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "base/paths_win.h"
#include "base/text_win.h"
#include "base/unique_handle_win.h"
#include "support/child_process_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::CopyBuiltProgram;
using testing::ReadFile;
using testing::RecordValue;
using testing::RunToExit;
using testing::TempDir;
using testing::WriteFile;

// The key=value lines a child probe wrote, or empty when none arrived in time.
std::string WaitForReport(const std::filesystem::path& report) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    const std::string text = ReadFile(report);
    if (text.find("appdata=") != std::string::npos && text.back() == '\n') return text;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return {};
}

class LauncherProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    launcher_ = CopyBuiltProgram(L"DuskcrownLauncher.exe", game_.path());
    WriteFile(leftover(), "previous launcher");
    WriteFile(log(), "1 v2.0.1 earlier line\n");
  }

  std::filesystem::path leftover() const { return WithSuffix(launcher_, L".old"); }
  std::filesystem::path log() const { return game_ / ".dklauncher" / "launcher.log"; }

  TempDir game_;
  std::filesystem::path launcher_;
};

TEST_F(LauncherProcess, FirstInstanceDeletesTheLeftoverAndExitsZero) {
  EXPECT_EQ(RunToExit(launcher_, game_.path()), 0);
  EXPECT_FALSE(std::filesystem::exists(leftover()));
  EXPECT_EQ(ReadFile(log()), "1 v2.0.1 earlier line\n") << "no graphics finding, no line";
}

TEST_F(LauncherProcess, SecondInstanceExitsZeroWithoutTouchingFiles) {
  // This process holds the guard the way a running launcher does.
  UniqueHandle first(CreateMutexW(nullptr, TRUE, L"Local\\DuskcrownLauncher"));
  ASSERT_TRUE(first);
  EXPECT_EQ(RunToExit(launcher_, game_.path()), 0);
  EXPECT_EQ(ReadFile(leftover()), "previous launcher");
  EXPECT_EQ(ReadFile(log()), "1 v2.0.1 earlier line\n");

  first.reset();
  EXPECT_EQ(RunToExit(launcher_, game_.path()), 0);
  EXPECT_FALSE(std::filesystem::exists(leftover())) << "once the first has gone, the next start is first";
}

TEST(StartLauncherProcess, PassesNoArgumentsAndStartsInTheExecutablesFolder) {
  TempDir dir;
  const auto child = CopyBuiltProgram(L"child_probe.exe", dir / "new launcher");
  ASSERT_TRUE(StartLauncherProcess(child));
  const std::string report = WaitForReport(dir / "new launcher" / "child-report.txt");
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(RecordValue(report, "cmd"), "\"" + WideToUtf8(child.native()) + "\"");
  EXPECT_EQ(RecordValue(report, "cwd"), WideToUtf8(child.parent_path().native()));
}

TEST(StartLauncherProcess, MissingExecutableFails) {
  TempDir dir;
  EXPECT_FALSE(StartLauncherProcess(dir / "gone.exe"));
}

}  // namespace
}  // namespace dkl
