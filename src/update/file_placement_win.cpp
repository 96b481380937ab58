#include "update/file_placement_win.h"

#include <windows.h>

#include <thread>

#include "base/file_stat_win.h"
#include "base/paths_win.h"
#include "base/status_win.h"
#include "update/manifest_path_win.h"

namespace dkl {
namespace {

constexpr int kTriesOnABusyTarget = 25;
constexpr std::chrono::milliseconds kPauseBetweenTries{200};

// What a running game causes: it holds the file open, or Windows denies replacing it meanwhile.
bool TargetIsBusy(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// What stands at the target when a move onto it failed, apart from a game that holds it.
enum class InTheWay { Nothing, Folder, ReadOnlyFile };

InTheWay WhatIsInTheWay(const std::filesystem::path& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return InTheWay::Nothing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return InTheWay::Folder;
  if (attributes & FILE_ATTRIBUTE_READONLY) return InTheWay::ReadOnlyFile;
  return InTheWay::Nothing;
}

// Windows refuses to replace a read-only file; a game file is the launcher's to replace.
bool MakeWritable(const std::filesystem::path& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         SetFileAttributesW(target.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

// Replaces `target` by `source`: a read-only target is made writable and tried again at once, a
// busy one tried 25 times in all, anything else given up at once. The last error, or ERROR_SUCCESS.
DWORD MoveOntoTarget(const std::filesystem::path& source, const std::filesystem::path& target,
                     const PlacementPause& pause) {
  bool made_writable = false;
  for (int busy = 0;;) {
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    const InTheWay obstacle = WhatIsInTheWay(target);
    // A folder does not go away by waiting.
    if (obstacle == InTheWay::Folder) return error;
    if (obstacle == InTheWay::ReadOnlyFile && !made_writable) {
      made_writable = true;
      if (MakeWritable(target)) continue;
    }
    if (!TargetIsBusy(error) || ++busy == kTriesOnABusyTarget) return error;
    pause(kPauseBetweenTries);
  }
}

// A folder where a file belongs is the player's: nothing removes it, and no game is to blame.
Status PlacementFailure(DWORD error, const std::filesystem::path& target, const FileEntry& entry) {
  if (WhatIsInTheWay(target) == InTheWay::Folder) {
    return MakeStatus(StatusKind::Io, "place " + entry.path + ": a folder is in the way");
  }
  if (TargetIsBusy(error)) return MakeStatus(StatusKind::GameRunning, entry.path);
  return StatusFromWindowsError(error, "place " + entry.path);
}

}  // namespace

void SleepBeforeRetry(std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }

Status PlaceFile(const std::filesystem::path& source, const std::filesystem::path& target, const FileEntry& entry,
                 Known& placed, const PlacementPause& pause) {
  std::error_code ignored;
  std::filesystem::create_directories(target.parent_path(), ignored);

  if (const DWORD error = MoveOntoTarget(source, target, pause); error != ERROR_SUCCESS) {
    DeleteFileW(source.c_str());
    return PlacementFailure(error, target, entry);
  }

  FileStat stat;
  if (!StatFile(target, stat) || stat.directory) return MakeStatus(StatusKind::Io, "stat " + entry.path);
  placed = Known{stat.size, MtimeFromFileTime(stat.last_write_ticks), entry.sha256};
  return OkStatus();
}

Status PlaceContentGroup(const std::filesystem::path& game_folder, const std::vector<FileEntry>& group,
                         const std::filesystem::path& finished_file, const PlacedFileCallback& on_placed,
                         UpdateProgress& progress, const PlacementPause& pause) {
  for (std::size_t i = 0; i < group.size(); ++i) {
    const FileEntry& entry = group[i];
    std::filesystem::path target;
    if (!ResolveManifestPath(game_folder, entry.path, target)) return MakeStatus(StatusKind::Manifest, entry.path);
    std::filesystem::path source = finished_file;
    if (i + 1 < group.size()) {
      source = WithSuffix(finished_file, (L".copy" + std::to_wstring(i)).c_str());
      if (!CopyFileW(finished_file.c_str(), source.c_str(), FALSE)) return LastErrorStatus("copy " + entry.path);
    }
    Known placed;
    if (Status status = PlaceFile(source, target, entry, placed, pause); !status.ok()) return status;
    on_placed(entry, placed);
    progress.files_done.fetch_add(1);
  }
  return OkStatus();
}

}  // namespace dkl
