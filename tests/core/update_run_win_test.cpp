// Whole update runs driven through dklctl under Wine, against sites served by nginx and the fault
// server, checked afterwards in the game folder, the install state, the settings and the log.
#include "core/update_run_win.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "base/json_object.h"
#include "base/paths_win.h"
#include "base/text_win.h"
#include "core/launcher_settings_win.h"
#include "support/child_process_win.h"
#include "support/dklctl_update_win.h"
#include "support/fault_server_win.h"
#include "support/loopback_win.h"
#include "support/nginx_server_win.h"
#include "support/published_objects.h"
#include "support/temp_dir.h"
#include "support/test_site.h"
#include "update/install_state_win.h"
#include "update/object_names.h"
#include "update/sync_win.h"

namespace dkl {
namespace {

using testing::ChildProcess;
using testing::ChildResult;
using testing::Content;
using testing::FaultResponse;
using testing::FaultServer;
using testing::NginxServer;
using testing::ReadFile;
using testing::SeenRequest;
using testing::TempDir;
using testing::TestSite;
using testing::WriteFile;

std::string DownMirror() { return "http://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort()); }

std::vector<std::string> Targets(const std::vector<SeenRequest>& requests, std::size_t from = 0) {
  std::vector<std::string> targets;
  for (std::size_t i = from; i < requests.size(); ++i) targets.push_back(requests[i].path);
  std::sort(targets.begin(), targets.end());
  return targets;
}

// Wine hands a download its bytes in 256 KiB pieces, so a stall sits on a piece boundary.
constexpr std::size_t kStallAfter = 524288;

class UpdateRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(nginx_.ok()) << nginx_.log();
    site_.Put("bin/Game.exe", Content(70000));
    site_.Put("data/world.pak", Content(900000), true);
    site_.Put("data/copy/world.pak", Content(900000), true);
    site_.Put("config/empty.cfg", "");
    site_.Put("readme.txt", "welcome to the crown of dusk\n");
  }

  // dklctl update against `mirrors` (nginx when none are given), in this test's folders.
  ChildResult Update(std::vector<std::string> mirrors = {}, const std::filesystem::path& dklctl = Dklctl()) {
    if (mirrors.empty()) mirrors.push_back(nginx_.url(""));
    return testing::RunChild(dklctl, testing::DklctlUpdateArguments(game_.path(), app_data_.path(), mirrors),
                             game_.path());
  }

  static std::filesystem::path Dklctl() { return ExecutablePath().parent_path() / L"dklctl.exe"; }

  static nlohmann::json Outcome(const ChildResult& result) { return ParseJsonObject(AsBytes(result.out)); }

  // Serves the published site from `server` as well: the manifest and every object.
  void MirrorOn(FaultServer& server) {
    server.Route("/manifest.json", FaultResponse{.body = ReadFile(site_dir_ / "manifest.json")});
    for (const FileEntry& entry : site_.manifest().files) {
      const std::string target = site_.ObjectTarget(entry.path);
      server.Route(target, FaultResponse{.body = ReadFile(site_dir_.path() / target.substr(1))});
    }
  }

  // Starts dklctl update against `mirror` and kills it once `part` has grown to `size` bytes and
  // `ready_to_kill` holds; false when that never happened.
  bool KillDuringUpdate(const std::string& mirror, const std::filesystem::path& part, std::uintmax_t size,
                        const std::function<bool()>& ready_to_kill) {
    std::vector<std::wstring> arguments{L"update", L"--folder", game_.path().native(), L"--app-data",
                                        app_data_.path().native(), L"--mirror", Utf8ToWide(mirror)};
    ChildProcess dklctl(Dklctl(), arguments, game_.path(), logs_ / "stdout.txt", logs_ / "stderr.txt");
    if (!dklctl.started()) return false;
    const auto part_size = [&] {
      std::error_code missing;
      const std::uintmax_t now = std::filesystem::file_size(part, missing);
      return missing ? 0 : now;
    };
    const auto due = [&] { return part_size() == size && ready_to_kill(); };
    for (int i = 0; i < 200 && !due(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!due()) return false;
    dklctl.Kill();
    return true;
  }

  std::filesystem::path PartOf(const std::string& path) {
    for (const FileEntry& entry : site_.manifest().files) {
      if (entry.path == path) return DownloadArea(game_.path()) / PartFileName(entry);
    }
    return {};
  }

  // The outcome of a run that finds no mirror, in this process, for the live state it leaves.
  SyncOutcome RunOffline(AppContext& context) {
    context.game_folder_override = game_.path();
    context.mirrors = {DownMirror()};
    return RunUpdate(context, false);
  }

  std::string LastLogLine() {
    const std::string log = ReadFile(game_ / ".dklauncher" / "launcher.log");
    const std::size_t end = log.rfind('\n');
    if (end == std::string::npos) return {};
    const std::size_t start = log.rfind('\n', end - 1);
    return log.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
  }

  TempDir site_dir_;
  TempDir game_;
  TempDir app_data_;
  TempDir logs_;
  TestSite site_{site_dir_.path()};
  NginxServer nginx_{site_dir_.path()};
};

TEST_F(UpdateRunTest, FreshInstallIsReadyWithEveryFileAndTheStateRecorded) {
  const Manifest& manifest = site_.Publish(7, "1.4.0");
  const ChildResult run = Update();
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const nlohmann::json outcome = Outcome(run);
  EXPECT_EQ(outcome["kind"], "Ready");
  EXPECT_EQ(outcome["installed_version"], "1.4.0");
  EXPECT_EQ(outcome["available_version"], "1.4.0");
  EXPECT_EQ(outcome["playable"], true);
  EXPECT_TRUE(outcome["error"].is_null());
  EXPECT_NE(run.err.find("Searching\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("Ready\n"), std::string::npos) << run.err;

  EXPECT_EQ(ReadFile(game_ / "bin" / "Game.exe"), Content(70000));
  EXPECT_TRUE(ReadFile(game_ / "data" / "world.pak") == Content(900000));
  EXPECT_TRUE(ReadFile(game_ / "data" / "copy" / "world.pak") == Content(900000));
  EXPECT_TRUE(std::filesystem::exists(game_ / "config" / "empty.cfg"));
  EXPECT_EQ(ReadFile(game_ / "readme.txt"), "welcome to the crown of dusk\n");
  EXPECT_FALSE(std::filesystem::exists(DownloadArea(game_.path())));

  const InstallState state = LoadInstallState(game_.path());
  EXPECT_EQ(state.serial, 7u);
  EXPECT_EQ(state.client_version, "1.4.0");
  EXPECT_EQ(state.game_exe, "bin/Game.exe");
  ASSERT_EQ(state.files.size(), manifest.files.size());
  for (const FileEntry& entry : manifest.files) EXPECT_EQ(state.files.at(entry.path).sha256, entry.sha256);
  EXPECT_EQ(LoadLauncherSettings(app_data_.path()).max_serial, 7u);
  EXPECT_FALSE(LoadLauncherSettings(app_data_.path()).game_dir.has_value());
}

TEST_F(UpdateRunTest, SecondRunFetchesOnlyTheManifest) {
  site_.Publish(3);
  ASSERT_EQ(Update().exit_code, 0);
  const std::size_t before = nginx_.requests().size();
  const ChildResult again = Update();
  ASSERT_EQ(again.exit_code, 0) << again.err;
  EXPECT_EQ(Outcome(again)["kind"], "Ready");
  EXPECT_EQ(Targets(nginx_.requests(), before), std::vector<std::string>{"/manifest.json"});
}

TEST_F(UpdateRunTest, OnlyTheFileChangedOnTheServerAndTheOneDamagedHereAreFetched) {
  site_.Publish(3);
  ASSERT_EQ(Update().exit_code, 0);
  site_.Put("readme.txt", "a new season begins\n");
  site_.Publish(4);
  std::string damaged = Content(70000);
  damaged[1234] = '#';
  WriteFile(game_ / "bin" / "Game.exe", damaged);
  const std::size_t before = nginx_.requests().size();

  const ChildResult run = Update();
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::vector<std::string> expected{"/manifest.json", site_.ObjectTarget("readme.txt"),
                                    site_.ObjectTarget("bin/Game.exe")};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Targets(nginx_.requests(), before), expected);
  EXPECT_EQ(ReadFile(game_ / "readme.txt"), "a new season begins\n");
  EXPECT_EQ(ReadFile(game_ / "bin" / "Game.exe"), Content(70000));
  EXPECT_EQ(LoadLauncherSettings(app_data_.path()).max_serial, 4u);
}

TEST_F(UpdateRunTest, OlderSerialIsRefusedAsRollback) {
  site_.Publish(5);
  ASSERT_EQ(Update().exit_code, 0);
  site_.Publish(5);
  ASSERT_EQ(Update().exit_code, 0) << "an equal serial is accepted";
  site_.Put("readme.txt", "an old manifest replayed\n");
  site_.Publish(4);

  const ChildResult run = Update();
  EXPECT_EQ(run.exit_code, 1);
  const nlohmann::json outcome = Outcome(run);
  EXPECT_EQ(outcome["kind"], "Failed");
  EXPECT_EQ(outcome["error"]["kind"], "rollback");
  EXPECT_EQ(outcome["error"]["message"], "");
  EXPECT_EQ(outcome["playable"], false);
  EXPECT_TRUE(LastLogLine().ends_with(" sync failed (rollback): ")) << LastLogLine();
  EXPECT_EQ(ReadFile(game_ / "readme.txt"), "welcome to the crown of dusk\n");
  EXPECT_EQ(LoadLauncherSettings(app_data_.path()).max_serial, 5u);
}

TEST_F(UpdateRunTest, UnreachableServerOnTheFirstStartIsOfflineAndNotPlayable) {
  const ChildResult run = Update({DownMirror()});
  EXPECT_EQ(run.exit_code, 2);
  const nlohmann::json outcome = Outcome(run);
  EXPECT_EQ(outcome["kind"], "Offline");
  EXPECT_EQ(outcome["playable"], false);
  EXPECT_EQ(outcome["error"]["kind"], "offline");
  EXPECT_TRUE(outcome["installed_version"].is_null());
  EXPECT_NE(LastLogLine().find(" sync failed (offline): "), std::string::npos) << LastLogLine();
}

TEST_F(UpdateRunTest, UnreachableServerAfterAnInstallLeavesTheInstalledGamePlayable) {
  site_.Publish(2, "1.2.0", "bin/Game.exe");
  ASSERT_EQ(Update().exit_code, 0);

  AppContext context(app_data_.path());
  const SyncOutcome outcome = RunOffline(context);
  EXPECT_EQ(outcome.kind, UpdatePhase::Offline);
  EXPECT_TRUE(outcome.playable);
  EXPECT_TRUE(context.state.playable.load());
  EXPECT_EQ(outcome.installed_version, "1.2.0");
  EXPECT_EQ(context.state.game_exe, "bin/Game.exe");
  EXPECT_EQ(context.state.progress.phase.load(), static_cast<int>(UpdatePhase::Offline));
}

TEST_F(UpdateRunTest, TheMirrorThatServedTheManifestServesTheObjectsFirst) {
  site_.Publish(3);
  FaultServer primary;  // answers 404 to everything, the manifest included
  ASSERT_TRUE(primary.ok());
  const ChildResult run = Update({primary.url(""), nginx_.url("")});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Targets(primary.requests()), std::vector<std::string>{"/manifest.json"});
  // The manifest and three objects: four paths share three contents, and the empty file needs none.
  EXPECT_EQ(Targets(nginx_.requests()).size(), 1 + 3u);
}

TEST_F(UpdateRunTest, KilledSyncResumesItsPartFileAndFetchesNothingCompletedAgain) {
  const std::string big = Content(1500000);
  site_.Put("data/huge.pak", big);
  const Manifest& manifest = site_.Publish(3);
  FaultServer slow;
  ASSERT_TRUE(slow.ok());
  MirrorOn(slow);
  slow.Route(site_.ObjectTarget("data/huge.pak"), FaultResponse{.body = big, .stall_after = kStallAfter});

  // The other workers place every other file meanwhile; kill only once they all have.
  const auto others_placed = [&] {
    for (const FileEntry& entry : manifest.files) {
      if (entry.path != "data/huge.pak" && !std::filesystem::exists(game_ / Utf8ToWide(entry.path))) return false;
    }
    return true;
  };
  ASSERT_TRUE(KillDuringUpdate(slow.url(""), PartOf("data/huge.pak"), kStallAfter, others_placed));

  const ChildResult run = Update();
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(ReadFile(game_ / "data" / "huge.pak") == big);
  const std::vector<SeenRequest> seen = nginx_.requests();
  ASSERT_EQ(seen.size(), 2u) << "only the manifest and the unfinished object";
  const std::string resumed_range = "bytes=" + std::to_string(kStallAfter) + "-";
  EXPECT_EQ(seen[1], (SeenRequest{"GET", site_.ObjectTarget("data/huge.pak"), resumed_range}));
}

TEST_F(UpdateRunTest, KilledUpdateIsNotOfferedOfflineOnceItHasReplacedAGameFile) {
  site_.Publish(3, "1.3.0");
  ASSERT_EQ(Update().exit_code, 0);
  const std::string big = Content(1500000);
  FaultServer slow;
  ASSERT_TRUE(slow.ok());
  const auto stall_big_on_slow = [&] {
    MirrorOn(slow);
    slow.Route(site_.ObjectTarget("data/huge.pak"), FaultResponse{.body = big, .stall_after = kStallAfter});
  };

  // Killed while the only new file downloads: nothing was replaced, the installed release is whole.
  site_.Put("data/huge.pak", big);
  site_.Publish(4, "1.4.0");
  stall_big_on_slow();
  ASSERT_TRUE(KillDuringUpdate(slow.url(""), PartOf("data/huge.pak"), kStallAfter, [] { return true; }));
  EXPECT_FALSE(LoadInstallState(game_.path()).update_unfinished);
  {
    AppContext context(app_data_.path());
    const SyncOutcome outcome = RunOffline(context);
    EXPECT_EQ(outcome.kind, UpdatePhase::Offline);
    EXPECT_TRUE(outcome.playable);
  }

  // Killed after the new readme replaced the old one: the folder mixes two releases.
  site_.Put("readme.txt", "a new season begins\n");
  site_.Publish(5, "1.5.0");
  stall_big_on_slow();
  const auto readme_replaced = [&] { return ReadFile(game_ / "readme.txt") == "a new season begins\n"; };
  ASSERT_TRUE(KillDuringUpdate(slow.url(""), PartOf("data/huge.pak"), kStallAfter, readme_replaced));
  const InstallState killed = LoadInstallState(game_.path());
  EXPECT_TRUE(killed.update_unfinished);
  EXPECT_EQ(killed.serial, 3u);
  {
    AppContext context(app_data_.path());
    const SyncOutcome outcome = RunOffline(context);
    EXPECT_EQ(outcome.kind, UpdatePhase::Offline);
    EXPECT_FALSE(outcome.playable);
    EXPECT_FALSE(context.state.playable.load());
    EXPECT_EQ(outcome.installed_version, "1.3.0");
    ASSERT_TRUE(outcome.error.has_value());
    EXPECT_EQ(outcome.error->kind, StatusKind::Offline);
    EXPECT_TRUE(LoadInstallState(game_.path()).update_unfinished) << "a failed run keeps the mark";
  }

  // An update that finishes clears the mark, and the game is offered offline again.
  const ChildResult finished = Update();
  ASSERT_EQ(finished.exit_code, 0) << finished.err;
  EXPECT_FALSE(LoadInstallState(game_.path()).update_unfinished);
  AppContext context(app_data_.path());
  const SyncOutcome outcome = RunOffline(context);
  EXPECT_TRUE(outcome.playable);
  EXPECT_EQ(outcome.installed_version, "1.5.0");
}

TEST_F(UpdateRunTest, StateLeftByAnUnfinishedUpdateKeepsTheGameFromOfflinePlay) {
  site_.Publish(2, "1.2.0");
  ASSERT_EQ(Update().exit_code, 0);
  InstallState state = LoadInstallState(game_.path());
  state.update_unfinished = true;
  ASSERT_TRUE(SaveInstallState(state, game_.path()).ok());
  ASSERT_NE(ReadFile(game_ / ".dklauncher" / "state.json").find("\"update_unfinished\":true"), std::string::npos);

  const ChildResult offline = Update({DownMirror()});
  EXPECT_EQ(offline.exit_code, 2);
  EXPECT_EQ(Outcome(offline)["kind"], "Offline");
  EXPECT_EQ(Outcome(offline)["playable"], false);
  EXPECT_EQ(Outcome(offline)["installed_version"], "1.2.0");

  // Every file is already right: the run places nothing, and still finishes the update.
  ASSERT_EQ(Update().exit_code, 0);
  EXPECT_FALSE(LoadInstallState(game_.path()).update_unfinished);
  EXPECT_EQ(Outcome(Update({DownMirror()}))["playable"], true);
}

// A mirror that serves a good manifest but sends half of every object as garbage and then closes.
// Whichever mirror serves the manifest, the update ends Ready with every file as published.
TEST_F(UpdateRunTest, BrokenMirrorFirstOrSecondDoesNotKeepTheUpdateFromEndingReady) {
  for (int i = 0; i < 12; ++i) site_.Put("data/extra/" + std::to_string(i) + ".dat", Content(60000 + i));
  const Manifest& manifest = site_.Publish(3);
  FaultServer broken;
  ASSERT_TRUE(broken.ok());
  MirrorOn(broken);
  std::size_t objects = 0;
  for (const FileEntry& entry : manifest.files) {
    const std::uint64_t length = DownloadLength(entry);
    if (length == 0) continue;
    ++objects;
    const std::string garbage(length, '#');
    broken.Route(site_.ObjectTarget(entry.path), FaultResponse{.body = garbage, .cut_after = length / 2});
  }

  for (const bool broken_first : {true, false}) {
    SCOPED_TRACE(broken_first ? "broken mirror first" : "broken mirror second");
    const TempDir game;
    const TempDir app_data;
    const std::size_t broken_before = broken.requests().size();
    std::vector<std::wstring> arguments{L"update", L"--folder", game.path().native(), L"--app-data",
                                        app_data.path().native()};
    for (const std::string& mirror : broken_first ? std::vector<std::string>{broken.url(""), nginx_.url("")}
                                                  : std::vector<std::string>{nginx_.url(""), broken.url("")}) {
      arguments.insert(arguments.end(), {L"--mirror", Utf8ToWide(mirror)});
    }
    const ChildResult run = testing::RunChild(Dklctl(), arguments, game.path());
    ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
    EXPECT_EQ(Outcome(run)["kind"], "Ready");
    for (const FileEntry& entry : manifest.files) {
      EXPECT_EQ(testing::HexOf(ReadFile(game / Utf8ToWide(entry.path))), entry.sha256) << entry.path;
    }
    EXPECT_EQ(LoadInstallState(game.path()).serial, 3u);

    const std::vector<SeenRequest> seen = broken.requests();
    const std::size_t object_requests = seen.size() - broken_before - (broken_first ? 1 : 0);
    if (broken_first) {
      EXPECT_EQ(seen[broken_before].path, "/manifest.json") << "the broken mirror served the manifest";
      // Only the first object of each of the six download workers meets it before it goes last.
      EXPECT_LE(object_requests, 6u) << "of " << objects;
    } else {
      EXPECT_EQ(object_requests, 0u);
    }
  }
}

TEST_F(UpdateRunTest, NewerLauncherReplacesTheOneBesideDklctlAndAsksForARestart) {
  const TempDir install;
  const std::filesystem::path dklctl = testing::CopyBuiltProgram(L"dklctl.exe", install.path());
  const std::filesystem::path launcher =
      testing::CopyBuiltProgram(L"child_probe.exe", install.path(), L"DuskcrownLauncher.exe");
  const std::string running = ReadFile(launcher);
  const std::string published = ReadFile(ExecutablePath().parent_path() / "test_game.exe");
  site_.Publish(6);
  ASSERT_EQ(Update({}, dklctl).exit_code, 0);
  const std::string state_before = ReadFile(game_ / ".dklauncher" / "state.json");
  site_.Put("readme.txt", "changed, but not fetched by a self-updating run\n");
  site_.PutLauncher("2.0.2", published);
  site_.Publish(7);

  const ChildResult run = Update({}, dklctl);
  EXPECT_EQ(run.exit_code, 3) << run.err;
  const nlohmann::json outcome = Outcome(run);
  EXPECT_EQ(outcome["kind"], "SelfUpdating");
  EXPECT_EQ(outcome["restart"], true);
  EXPECT_EQ(outcome["playable"], false);
  EXPECT_TRUE(ReadFile(launcher) == published);
  EXPECT_TRUE(ReadFile(WithSuffix(launcher, L".old")) == running);
  EXPECT_TRUE(ReadFile(dklctl) == ReadFile(Dklctl())) << "dklctl never replaces itself";
  EXPECT_EQ(ReadFile(game_ / "readme.txt"), "welcome to the crown of dusk\n");
  EXPECT_EQ(ReadFile(game_ / ".dklauncher" / "state.json"), state_before);
  EXPECT_EQ(LoadLauncherSettings(app_data_.path()).max_serial, 6u);
  EXPECT_TRUE(LastLogLine().ends_with(" self-update to 2.0.2 applied")) << LastLogLine();
}

TEST_F(UpdateRunTest, LauncherOfTheSameVersionOrTheSameBytesIsLeftAlone) {
  const TempDir install;
  const std::filesystem::path dklctl = testing::CopyBuiltProgram(L"dklctl.exe", install.path());
  const std::filesystem::path launcher =
      testing::CopyBuiltProgram(L"child_probe.exe", install.path(), L"DuskcrownLauncher.exe");
  const std::string running = ReadFile(launcher);
  const struct {
    const char* version;
    std::string content;
  } cases[] = {{"2.0.1", "another launcher of this same version"}, {"2.0.2", running}};
  std::uint64_t serial = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    site_.PutLauncher(c.version, c.content);
    site_.Publish(serial++);
    const ChildResult run = Update({}, dklctl);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(Outcome(run)["kind"], "Ready");
    EXPECT_TRUE(ReadFile(launcher) == running);
    EXPECT_FALSE(std::filesystem::exists(WithSuffix(launcher, L".old")));
  }
}

TEST_F(UpdateRunTest, FailedSyncRecordsEveryFilePlacedBeforeTheFailure) {
  const Manifest& manifest = site_.Publish(3);
  FaultServer broken;
  ASSERT_TRUE(broken.ok());
  MirrorOn(broken);
  broken.Route(site_.ObjectTarget("bin/Game.exe"), FaultResponse{.status = 404});  // no mirror serves it

  const ChildResult run = Update({broken.url("")});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(Outcome(run)["error"]["kind"], "network");
  EXPECT_NE(LastLogLine().find(" sync failed (network): "), std::string::npos) << LastLogLine();
  const InstallState state = LoadInstallState(game_.path());
  EXPECT_EQ(state.serial, 0u) << "the run did not succeed";
  for (const FileEntry& entry : manifest.files) {
    EXPECT_EQ(state.files.count(entry.path), entry.path == "bin/Game.exe" ? 0u : 1u) << entry.path;
  }
  EXPECT_TRUE(std::filesystem::exists(DownloadArea(game_.path())));
}

TEST_F(UpdateRunTest, HelpAndMistakesOnTheCommandLine) {
  const ChildResult help = testing::RunChild(Dklctl(), {L"--help"}, game_.path());
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("dklctl update [--verify]"), std::string::npos);
  const ChildResult wrong = testing::RunChild(Dklctl(), {L"update", L"--mirror"}, game_.path());
  EXPECT_EQ(wrong.exit_code, 64);
  EXPECT_NE(wrong.err.find("--mirror needs a value"), std::string::npos) << wrong.err;
}

}  // namespace
}  // namespace dkl
