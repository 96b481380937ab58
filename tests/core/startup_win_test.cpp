// Start-up as players meet it: real launcher processes under Wine, real files.
#include "core/startup_win.h"

#include <windows.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "base/paths_win.h"
#include "base/text_win.h"
#include "support/child_process_win.h"
#include "support/launcher_window_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::ChildProcess;
using testing::CopyBuiltProgram;
using testing::ReadFile;
using testing::RecordValue;
using testing::RunToExit;
using testing::TempDir;
using testing::WaitForLauncherWindow;
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

// A launcher started in `folder`, as a player starts it, running until its window is closed.
class RunningLauncher {
 public:
  RunningLauncher(const std::filesystem::path& executable, const std::filesystem::path& folder)
      : process_(executable, {}, folder), window_(process_.started() ? WaitForLauncherWindow(process_.id()) : nullptr) {}

  bool has_window() const { return window_ != nullptr; }

  // Closes the window as the close button does; the exit code, or -1 when the process stayed.
  long Close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return process_.Wait(kExitLimitMs);
  }

 private:
  static constexpr DWORD kExitLimitMs = 15000;

  ChildProcess process_;
  HWND window_;
};

class LauncherProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    launcher_ = CopyBuiltProgram(L"DuskcrownLauncher.exe", game_.path());
    WriteFile(leftover(), "previous launcher");
    WriteFile(log(), kEarlierLine);
  }

  std::filesystem::path leftover() const { return WithSuffix(launcher_, L".old"); }
  std::filesystem::path log() const { return game_ / ".dklauncher" / "launcher.log"; }

  static constexpr char kEarlierLine[] = "1 v2.0.1 earlier line\n";

  TempDir game_;
  std::filesystem::path launcher_;
};

TEST_F(LauncherProcess, FirstInstanceDeletesTheLeftoverOpensItsWindowAndExitsZeroWhenClosed) {
  RunningLauncher first(launcher_, game_.path());
  ASSERT_TRUE(first.has_window());
  EXPECT_FALSE(std::filesystem::exists(leftover())) << "gone before the window opened";
  EXPECT_EQ(first.Close(), 0);
  const std::string lines = ReadFile(log());
  EXPECT_EQ(lines.rfind(kEarlierLine, 0), 0u) << lines;
  EXPECT_EQ(lines.find(" gpu: "), std::string::npos) << "no graphics finding, no line";
}

TEST_F(LauncherProcess, SecondInstanceExitsZeroWithoutTouchingFiles) {
  TempDir elsewhere;
  RunningLauncher first(CopyBuiltProgram(L"DuskcrownLauncher.exe", elsewhere.path()), elsewhere.path());
  ASSERT_TRUE(first.has_window());
  EXPECT_EQ(RunToExit(launcher_, game_.path()), 0);
  EXPECT_EQ(ReadFile(leftover()), "previous launcher");
  EXPECT_EQ(ReadFile(log()), kEarlierLine);

  EXPECT_EQ(first.Close(), 0);
  RunningLauncher next(launcher_, game_.path());
  ASSERT_TRUE(next.has_window()) << "once the first has gone, the next start is first";
  EXPECT_FALSE(std::filesystem::exists(leftover()));
  EXPECT_EQ(next.Close(), 0);
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
