#include "core/self_update_win.h"

#include <windows.h>

#include <system_error>

#include "base/paths_win.h"
#include "base/status_win.h"
#include "base/text_win.h"
#include "core/self_update.h"
#include "update/file_hash_win.h"

namespace dkl {
namespace {

// An interrupted earlier update may have left files behind; none of them matter any more.
void RemoveStagingFolder(const std::filesystem::path& staging) {
  if (RemoveDirectoryW(staging.c_str()) || GetLastError() != ERROR_DIR_NOT_EMPTY) return;
  std::error_code ignored;
  std::filesystem::remove_all(staging, ignored);
}

}  // namespace

bool ShouldSelfUpdate(const LauncherEntry& launcher) { return ShouldSelfUpdate(launcher, ExecutablePath()); }

bool ShouldSelfUpdate(const LauncherEntry& launcher, const std::filesystem::path& executable) {
  if (!IsNewerLauncher(launcher.version)) return false;
  if (executable.empty()) return false;
  // An unreadable file hashes to "", which never matches, so it is replaced.
  return HashFile(executable) != launcher.sha256;
}

Status SelfUpdate(const HttpSession& session, const std::vector<std::string>& mirrors, const LauncherEntry& launcher,
                  UpdateProgress& progress) {
  return SelfUpdate(session, mirrors, launcher, progress, ExecutablePath());
}

Status SelfUpdate(const HttpSession& session, const std::vector<std::string>& mirrors, const LauncherEntry& launcher,
                  UpdateProgress& progress, const std::filesystem::path& executable, const AttemptPause& pause) {
  const std::filesystem::path folder = executable.parent_path();
  if (executable.empty() || folder.empty()) return MakeStatus(StatusKind::Invalid, "exe dir");

  const std::filesystem::path staging = folder / kSelfUpdateFolderName;
  std::error_code error;
  std::filesystem::create_directories(staging, error);
  if (error) return MakeStatus(StatusKind::Io, "create " + WideToUtf8(staging.native()));

  std::filesystem::path verified;
  MirrorRanking ranking(mirrors);
  Status fetched = FetchObject(session, ranking, LauncherObjectEntry(launcher), staging, progress, verified, pause);
  if (!fetched.ok()) return fetched;

  Status swapped = SwapInExecutable(executable, verified);
  if (!swapped.ok()) return swapped;
  RemoveStagingFolder(staging);
  return OkStatus();
}

Status SwapInExecutable(const std::filesystem::path& executable, const std::filesystem::path& replacement) {
  const std::filesystem::path old = WithSuffix(executable, kOldLauncherSuffix);
  DeleteFileW(old.c_str());
  // Windows lets a running image be renamed, though not deleted or overwritten.
  if (!MoveFileExW(executable.c_str(), old.c_str(), 0)) return LastErrorStatus("rename running exe");
  if (!MoveFileExW(replacement.c_str(), executable.c_str(), 0)) {
    const DWORD placing = GetLastError();
    // Without this the next start would find no launcher at all.
    MoveFileExW(old.c_str(), executable.c_str(), 0);
    return StatusFromWindowsError(placing, "place new exe");
  }
  return OkStatus();
}

}  // namespace dkl
