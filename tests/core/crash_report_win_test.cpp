// The crash report as a player meets it: a real process dies of an exception nobody handled.
#include "core/crash_report_win.h"

#include <windows.h>

#include <iterator>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "support/child_process_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::CopyBuiltProgram;
using testing::ReadFile;
using testing::RunToExit;
using testing::TempDir;
using testing::WriteFile;

constexpr long kAccessViolation = static_cast<long>(0xC0000005);
constexpr long kRaised = static_cast<long>(0xE0000001);

// What the probe's stand-in message box records for one crash.
const std::string kNotice =
    "owner=none\n"
    "type=16\n"
    "caption=Duskhaven Crown\n"
    "text=El launcher se cerró por un error inesperado.\n"
    "The launcher stopped after an unexpected error.\n\n"
    "Volvé a abrirlo. Si se repite, mandanos el archivo crash.log de %APPDATA%\\local.duskcrown.launcher.\n";

// One crash line for `code` at any address other than zero.
std::string CrashLinePattern(const std::string& code) {
  return "v2\\.0\\.1 exception 0x" + code + " at (?!0{16})[0-9A-F]{16}\n";
}

class CrashReport : public ::testing::Test {
 protected:
  void SetUp() override { probe_ = CopyBuiltProgram(L"crash_probe.exe", dir_ / "bin"); }

  long Crash(const wchar_t* mode) { return RunToExit(probe_, dir_.path(), {app_data_.native(), mode}); }
  std::string CrashLog() const { return ReadFile(app_data_ / "crash.log"); }
  std::string Notices() const { return ReadFile(dir_ / "notice.txt"); }

  TempDir dir_;
  std::filesystem::path probe_;
  // Neither the folder nor its parent exists before the first crash.
  std::filesystem::path app_data_ = dir_ / "Roaming" / "local.duskcrown.launcher";
};

TEST_F(CrashReport, AccessViolationOnAWorkerThreadWritesOneLineAndTellsThePlayer) {
  EXPECT_EQ(Crash(L"access-violation"), kAccessViolation) << "the process ends with the exception";
  EXPECT_TRUE(std::regex_match(CrashLog(), std::regex(CrashLinePattern("C0000005")))) << CrashLog();
  EXPECT_EQ(Notices(), kNotice);
}

// The box a player would see: found among the desktop's windows, read, and dismissed with OK.
HWND WaitForNoticeBox(DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (GetTickCount64() < deadline) {
    if (HWND box = FindWindowW(L"#32770", L"Duskhaven Crown")) return box;
    Sleep(50);
  }
  return nullptr;
}

std::wstring StaticTextOf(HWND box) {
  // A message box shows its text in the static control with this id.
  constexpr int kMessageTextId = 0xFFFF;
  wchar_t text[512] = {};
  GetDlgItemTextW(box, kMessageTextId, text, static_cast<int>(std::size(text)));
  return text;
}

TEST_F(CrashReport, RealMessageBoxIsShownUntilThePlayerDismissesIt) {
  testing::ChildProcess crash(probe_, {app_data_.native(), L"shown-access-violation"}, dir_.path());
  ASSERT_TRUE(crash.started());
  HWND box = WaitForNoticeBox(15000);
  ASSERT_NE(box, nullptr) << "no message box appeared (the Windows tests need a display)";
  EXPECT_EQ(StaticTextOf(box).rfind(L"El launcher se cerró por un error inesperado.", 0), 0u);
  EXPECT_EQ(crash.Wait(300), -1) << "the process waits for the player";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(crash.Wait(), kAccessViolation);
  EXPECT_TRUE(std::regex_match(CrashLog(), std::regex(CrashLinePattern("C0000005")))) << CrashLog();
}

TEST_F(CrashReport, CrashesOfTwoRunsAppendInTheOrderTheyHappened) {
  EXPECT_EQ(Crash(L"access-violation"), kAccessViolation);
  EXPECT_EQ(Crash(L"raise"), kRaised);
  EXPECT_TRUE(
      std::regex_match(CrashLog(), std::regex(CrashLinePattern("C0000005") + CrashLinePattern("E0000001"))))
      << CrashLog();
  EXPECT_EQ(Notices(), kNotice + kNotice);
}

TEST_F(CrashReport, NoExceptionRecordWritesZeros) {
  EXPECT_EQ(Crash(L"no-record"), EXCEPTION_EXECUTE_HANDLER);
  EXPECT_EQ(CrashLog(), "v2.0.1 exception 0x00000000 at 0000000000000000\n");
  EXPECT_EQ(Notices(), kNotice);
}

TEST_F(CrashReport, FolderThatCannotBeMadeLosesOnlyTheLine) {
  WriteFile(dir_ / "Roaming", "a file where the folder should be");
  EXPECT_EQ(Crash(L"access-violation"), kAccessViolation);
  EXPECT_FALSE(std::filesystem::exists(app_data_));
  EXPECT_EQ(Notices(), kNotice) << "the player is told in every case";
}

}  // namespace
}  // namespace dkl
