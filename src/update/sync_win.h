// Bringing a game folder to the manifest: examine every listed file, then fetch and place what differs.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/status.h"
#include "core/launcher_state.h"
#include "net/http_session_win.h"
#include "update/file_placement_win.h"
#include "update/install_state.h"
#include "update/manifest.h"
#include "update/object_fetch_win.h"

namespace dkl {

// Examination threads for a machine reporting `hardware_threads` (0 when it reports none).
unsigned PlanningWorkerCount(unsigned hardware_threads);

// The entries whose content is missing or differs, in manifest order. Renews `state.files` to hold
// exactly the listed files that exist, as they are now. Counts examined files in `progress`.
std::vector<FileEntry> PlanSync(const std::filesystem::path& game_folder, const std::vector<FileEntry>& files,
                                InstallState& state, bool verify, UpdateProgress& progress);

// ".dklauncher\tmp" inside the game folder: part files, finished files and copies of one sync.
std::filesystem::path DownloadArea(const std::filesystem::path& game_folder);

// Runs once, before a sync replaces its first game file (empty: nothing to do). A failure ends the
// sync with nothing replaced.
using BeforeFirstPlacement = std::function<Status()>;

// Fetches each distinct content of `planned` once and places it at every path that needs it, six
// at a time, stopping at the first failure. The download area is removed only after success. The
// workers share one ranking of `mirrors`: a mirror whose bytes failed a proof is tried last by all.
Status RunSync(const HttpSession& session, const std::vector<std::string>& mirrors,
               const std::filesystem::path& game_folder, const std::vector<FileEntry>& planned,
               UpdateProgress& progress, const BeforeFirstPlacement& before_first_placement,
               const PlacedFileCallback& on_placed, const AttemptPause& pause = SleepBetweenAttempts);

}  // namespace dkl
