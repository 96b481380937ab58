// Replacing a launcher executable with the published one, downloaded and proved like any object.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/status.h"
#include "core/launcher_state.h"
#include "net/http_session_win.h"
#include "update/manifest.h"
#include "update/object_fetch_win.h"

namespace dkl {

// True when `launcher` is newer than this launcher and differs from the running executable's file.
bool ShouldSelfUpdate(const LauncherEntry& launcher);
// The same decision for the launcher file `executable` (false when the path is empty).
bool ShouldSelfUpdate(const LauncherEntry& launcher, const std::filesystem::path& executable);

// Fetches `launcher` into ".dklauncher-self" beside the running executable and swaps it in; the
// running image stays under the ".old" name until the process exits. Any failure before the swap
// leaves the executable untouched.
Status SelfUpdate(const HttpSession& session, const std::vector<std::string>& mirrors, const LauncherEntry& launcher,
                  UpdateProgress& progress);
// The same for the launcher file `executable`, which need not be the running one.
Status SelfUpdate(const HttpSession& session, const std::vector<std::string>& mirrors, const LauncherEntry& launcher,
                  UpdateProgress& progress, const std::filesystem::path& executable,
                  const AttemptPause& pause = SleepBetweenAttempts);

// Moves `executable` to its ".old" name (replacing a stale one when it can be deleted) and
// `replacement` into its place. When the second move fails the executable is moved back.
Status SwapInExecutable(const std::filesystem::path& executable, const std::filesystem::path& replacement);

}  // namespace dkl
