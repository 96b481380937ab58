// The launcher replacing its executable with a published one: real files, nginx and the fault server,
// and a real process that swaps its own running file.
#include "core/self_update_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/paths_win.h"
#include "base/text_win.h"
#include "support/child_process_win.h"
#include "support/fault_server_win.h"
#include "support/file_hold_win.h"
#include "support/nginx_server_win.h"
#include "support/published_objects.h"
#include "support/temp_dir.h"
#include "update/object_names.h"

namespace dkl {
namespace {

using testing::FaultResponse;
using testing::FaultServer;
using testing::HexOf;
using testing::NginxServer;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr char kRunningLauncher[] = "MZ the launcher that runs now, 2.0.1";
constexpr char kPublishedLauncher[] = "MZ the launcher the server publishes, 2.0.2, a little longer";

LauncherEntry EntryFor(std::string version, std::string_view content) {
  return LauncherEntry{std::move(version), HexOf(content), content.size(), std::nullopt};
}

class SelfUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(nginx_.ok()) << nginx_.log();
    WriteFile(launcher_, kRunningLauncher);
  }

  LauncherEntry Publish(std::string version, std::string_view content) {
    LauncherEntry entry = EntryFor(std::move(version), content);
    WriteFile(site_ / "objects" / entry.sha256.substr(0, 2) / entry.sha256, content);
    return entry;
  }

  Status Update(const std::vector<std::string>& mirrors, const LauncherEntry& entry) {
    return SelfUpdate(session_, mirrors, entry, progress_, launcher_,
                      [this](std::chrono::milliseconds pause) { pauses_.push_back(pause.count()); });
  }

  std::filesystem::path old() const { return WithSuffix(launcher_, L".old"); }
  std::filesystem::path staging() const { return install_ / ".dklauncher-self"; }

  TempDir site_;
  TempDir install_;
  std::filesystem::path launcher_ = install_ / "DuskcrownLauncher.exe";
  NginxServer nginx_{site_.path()};
  HttpSession session_ = OpenHttpSession(MakeUserAgent());
  UpdateProgress progress_;
  std::vector<long long> pauses_;
};

TEST_F(SelfUpdateTest, NewerLauncherIsSwappedInAndTheRunningOneKeptAsOld) {
  // Leftovers of an earlier, interrupted update must not get in the way.
  WriteFile(old(), "a stale old launcher");
  WriteFile(staging() / "leftover.ok", "from a failed swap");
  const LauncherEntry entry = Publish("2.0.2", kPublishedLauncher);
  ASSERT_TRUE(ShouldSelfUpdate(entry, launcher_));

  const Status status = Update({nginx_.url("")}, entry);
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(ReadFile(launcher_), kPublishedLauncher);
  EXPECT_EQ(ReadFile(old()), kRunningLauncher);
  EXPECT_FALSE(std::filesystem::exists(staging()));
  EXPECT_EQ(progress_.bytes_done.load(), entry.size);
  EXPECT_EQ(progress_.bytes_total.load(), 0u);
  EXPECT_FALSE(ShouldSelfUpdate(entry, launcher_)) << "the file now is the published one";
}

struct DecisionCase {
  const char* name;
  const char* version;
  bool same_content;
  bool update;
};

class ShouldSelfUpdateTest : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(ShouldSelfUpdateTest, OnlyANewerVersionWithOtherContent) {
  TempDir dir;
  const auto launcher = dir / "DuskcrownLauncher.exe";
  WriteFile(launcher, kRunningLauncher);
  const DecisionCase& c = GetParam();
  const LauncherEntry entry = EntryFor(c.version, c.same_content ? kRunningLauncher : kPublishedLauncher);
  EXPECT_EQ(ShouldSelfUpdate(entry, launcher), c.update);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShouldSelfUpdateTest,
                         ::testing::Values(DecisionCase{"EqualVersion", "2.0.1", false, false},
                                           DecisionCase{"EqualWithAFourthComponent", "2.0.1.7", false, false},
                                           DecisionCase{"Lower", "2.0.0", false, false},
                                           DecisionCase{"HigherPatch", "2.0.2", false, true},
                                           DecisionCase{"HigherMinor", "2.1.0", false, true},
                                           DecisionCase{"HigherMajor", "3", false, true},
                                           DecisionCase{"HigherButSameHash", "2.0.2", true, false}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(ShouldSelfUpdate, UnreadableFileIsReplacedAndNoPathIsNot) {
  TempDir dir;
  const LauncherEntry entry = EntryFor("2.0.2", kPublishedLauncher);
  EXPECT_TRUE(ShouldSelfUpdate(entry, dir / "missing.exe"));
  EXPECT_FALSE(ShouldSelfUpdate(entry, std::filesystem::path()));
}

TEST_F(SelfUpdateTest, DamagedObjectFailsAndLeavesTheLauncherUntouched) {
  FaultServer faults;
  ASSERT_TRUE(faults.ok());
  const LauncherEntry entry = EntryFor("2.0.2", kPublishedLauncher);
  std::string damaged = kPublishedLauncher;
  damaged[10] ^= 1;
  faults.Route(ObjectUrl("", entry.sha256, false), FaultResponse{.body = damaged});

  const Status status = Update({faults.url("")}, entry);
  EXPECT_EQ(status.kind, StatusKind::Corrupt);
  EXPECT_EQ(status.message, "launcher");
  EXPECT_EQ(pauses_.size(), 2u) << "retried like any object";
  EXPECT_EQ(ReadFile(launcher_), kRunningLauncher);
  EXPECT_FALSE(std::filesystem::exists(old()));
}

TEST_F(SelfUpdateTest, ExecutableWithoutAFolderIsRefusedBeforeAnyRequest) {
  const LauncherEntry entry = Publish("2.0.2", kPublishedLauncher);
  for (const std::filesystem::path& executable : {std::filesystem::path(), std::filesystem::path(L"Launcher.exe")}) {
    const Status status = SelfUpdate(session_, {nginx_.url("")}, entry, progress_, executable);
    EXPECT_EQ(status.kind, StatusKind::Invalid);
    EXPECT_EQ(status.message, "exe dir");
  }
  EXPECT_EQ(progress_.bytes_done.load(), 0u);
}

TEST_F(SelfUpdateTest, StagingFolderThatCannotBeCreatedIsReportedWithItsFullPath) {
  WriteFile(staging(), "a file where the folder belongs");
  const Status status = Update({nginx_.url("")}, Publish("2.0.2", kPublishedLauncher));
  EXPECT_EQ(status.kind, StatusKind::Io);
  EXPECT_EQ(status.message, "create " + WideToUtf8(staging().native()));
  EXPECT_EQ(ReadFile(launcher_), kRunningLauncher);
}

TEST_F(SelfUpdateTest, OldLauncherThatCannotBeDeletedStopsTheRename) {
  // An older launcher still running from its ".old" file holds it.
  WriteFile(old(), "an older launcher, still running");
  const UniqueHandle held = testing::HoldWithoutSharing(old());
  const Status status = Update({nginx_.url("")}, Publish("2.0.2", kPublishedLauncher));
  EXPECT_EQ(status.kind, StatusKind::Io);
  EXPECT_EQ(status.message, "rename running exe (error 183)");
  EXPECT_EQ(ReadFile(launcher_), kRunningLauncher);
}

TEST(SwapInExecutable, FailedPlacementPutsTheExecutableBack) {
  TempDir dir;
  const auto launcher = dir / "DuskcrownLauncher.exe";
  WriteFile(launcher, kRunningLauncher);
  const Status status = SwapInExecutable(launcher, dir / "gone.ok");
  EXPECT_EQ(status.kind, StatusKind::Io);
  EXPECT_EQ(status.message, "place new exe (error 2)");
  EXPECT_EQ(ReadFile(launcher), kRunningLauncher);
  EXPECT_FALSE(std::filesystem::exists(WithSuffix(launcher, L".old")));
}

// The swap that matters: a process renames its own running image and moves the new one in.
TEST_F(SelfUpdateTest, RunningLauncherReplacesItself) {
  const auto running = testing::CopyBuiltProgram(L"self_update_probe.exe", install_.path(), L"DuskcrownLauncher.exe");
  const std::string probe = ReadFile(running);
  // The new launcher is another real program, so that the swapped-in file is shown to start.
  const std::string published = ReadFile(ExecutablePath().parent_path() / "child_probe.exe");
  ASSERT_FALSE(published.empty());
  const LauncherEntry entry = Publish("2.0.2", published);

  const std::vector<std::wstring> arguments{Utf8ToWide(nginx_.url("")), Utf8ToWide(entry.sha256),
                                            std::to_wstring(entry.size)};
  EXPECT_EQ(testing::RunToExit(running, install_.path(), arguments), 0);
  const std::string report = ReadFile(install_ / "self-update-report.txt");
  EXPECT_EQ(testing::RecordValue(report, "kind"), "0");
  EXPECT_EQ(testing::RecordValue(report, "message"), "");
  EXPECT_TRUE(ReadFile(running) == published);
  EXPECT_TRUE(ReadFile(old()) == probe);
  EXPECT_FALSE(std::filesystem::exists(staging()));

  EXPECT_EQ(testing::RunToExit(running, install_.path()), 0);
  EXPECT_EQ(testing::RecordValue(ReadFile(install_ / "child-report.txt"), "exe"), WideToUtf8(running.native()));
  // With the old process gone its file is free again, as the next start finds it.
  EXPECT_TRUE(DeleteFileW(old().c_str()));
}

}  // namespace
}  // namespace dkl
