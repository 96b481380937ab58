#include "core/update_run_win.h"

#include <windows.h>

#include <algorithm>

#include "base/launcher_log_win.h"
#include "core/install_state_recorder.h"
#include "core/launcher_settings_win.h"
#include "core/self_update_win.h"
#include "update/install_state_win.h"
#include "update/manifest_fetch_win.h"
#include "update/sync_win.h"

namespace dkl {
namespace {

void SetPhase(UpdateProgress& progress, UpdatePhase phase) { progress.phase.store(static_cast<std::int32_t>(phase)); }

void SetGameExe(LauncherState& state, const std::string& game_exe) {
  std::lock_guard hold(state.game_exe_lock);
  state.game_exe = game_exe;
}

// The serving mirror goes first for every object of this run, even when it is the fallback.
void PutFirst(std::vector<std::string>& mirrors, const std::string& serving) {
  std::erase(mirrors, serving);
  mirrors.insert(mirrors.begin(), serving);
}

SyncOutcome Fail(AppContext& context, const std::filesystem::path& game_folder, SyncOutcome outcome, Status status) {
  AppendLauncherLog(game_folder, "sync failed (" + std::string(StatusWord(status.kind)) + "): " + status.message);
  const InstallState installed = LoadInstallState(game_folder);
  const bool offline = status.kind == StatusKind::Offline;
  // A folder an earlier run left half updated may hold a mix of two releases: never offered for play.
  const bool offline_playable = offline && installed.serial > 0 && !installed.update_unfinished;
  outcome.playable = offline_playable;
  context.state.playable.exchange(offline_playable);
  if (offline_playable) SetGameExe(context.state, installed.game_exe);
  outcome.kind = offline ? UpdatePhase::Offline : UpdatePhase::Failed;
  if (!installed.client_version.empty()) outcome.installed_version = installed.client_version;
  outcome.error = std::move(status);
  SetPhase(context.state.progress, outcome.kind);
  return outcome;
}

Status Sync(AppContext& context, const std::filesystem::path& game_folder, const std::vector<std::string>& mirrors,
            const std::vector<FileEntry>& planned, InstallState& installed) {
  UpdateProgress& progress = context.state.progress;
  SetPhase(progress, UpdatePhase::Downloading);
  InstallStateRecorder recorder(
      installed, [&](const InstallState& state) { return SaveInstallState(state, game_folder); }, GetTickCount64);
  Status status = RunSync(
      context.transport, mirrors, game_folder, planned, progress, [&] { return recorder.MarkUpdateUnfinished(); },
      [&](const FileEntry& entry, const Known& known) { recorder.Record(entry, known); });
  // Everything placed so far is remembered, so the next run neither hashes nor fetches it again.
  if (!status.ok()) SaveInstallState(installed, game_folder);
  return status;
}

}  // namespace

SyncOutcome RunUpdate(AppContext& context, bool verify) {
  const std::filesystem::path game_folder = context.game_folder();
  std::vector<std::string> mirrors = context.mirrors;
  UpdateProgress& progress = context.state.progress;
  SyncOutcome outcome;

  SetPhase(progress, UpdatePhase::Searching);
  {
    std::lock_guard hold(progress.lock);
    progress.current_item.clear();
  }

  Manifest manifest;
  std::string serving;
  if (Status status = FetchManifest(context.transport, mirrors, manifest, serving); !status.ok()) {
    return Fail(context, game_folder, outcome, std::move(status));
  }
  if (manifest.serial < context.settings.max_serial) {
    return Fail(context, game_folder, outcome, MakeStatus(StatusKind::Rollback, ""));
  }
  PutFirst(mirrors, serving);

  InstallState installed = LoadInstallState(game_folder);
  if (!installed.client_version.empty()) outcome.installed_version = installed.client_version;
  outcome.available_version = manifest.client_version;

  if (manifest.launcher && ShouldSelfUpdate(*manifest.launcher, context.launcher_exe)) {
    SetPhase(progress, UpdatePhase::SelfUpdating);
    Status status = SelfUpdate(context.transport, mirrors, *manifest.launcher, progress, context.launcher_exe);
    if (!status.ok()) return Fail(context, game_folder, outcome, std::move(status));
    AppendLauncherLog(game_folder, "self-update to " + manifest.launcher->version + " applied");
    // The new launcher does the sync: nothing of the game, the install state or max_serial changes.
    outcome.restart = true;
    outcome.kind = UpdatePhase::SelfUpdating;
    return outcome;
  }

  SetPhase(progress, verify ? UpdatePhase::FullCheck : UpdatePhase::QuickCheck);
  const std::vector<FileEntry> planned = PlanSync(game_folder, manifest.files, installed, verify, progress);
  if (!planned.empty()) {
    if (Status status = Sync(context, game_folder, mirrors, planned, installed); !status.ok()) {
      return Fail(context, game_folder, outcome, std::move(status));
    }
  }

  installed.serial = manifest.serial;
  installed.client_version = manifest.client_version;
  installed.game_exe = manifest.game_exe;
  installed.update_unfinished = false;
  if (Status status = SaveInstallState(installed, game_folder); !status.ok()) {
    return Fail(context, game_folder, outcome, std::move(status));
  }
  SetGameExe(context.state, manifest.game_exe);
  {
    std::lock_guard hold(context.settings_lock);
    if (manifest.serial > context.settings.max_serial) {
      context.settings.max_serial = manifest.serial;
      SaveLauncherSettings(context.settings, context.app_data_dir);
    }
  }
  context.state.playable.exchange(true);
  outcome.kind = UpdatePhase::Ready;
  outcome.installed_version = manifest.client_version;
  outcome.playable = true;
  SetPhase(progress, UpdatePhase::Ready);
  progress.bytes_done.store(progress.bytes_total.load());
  return outcome;
}

}  // namespace dkl
