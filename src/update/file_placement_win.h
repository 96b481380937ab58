// Moving verified files from the download area onto their paths in the game folder, one rename each.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

#include "base/status.h"
#include "core/launcher_state.h"
#include "update/install_state.h"
#include "update/manifest.h"

namespace dkl {

// Waits between two tries on a target that a running game holds; tests pass one that only counts.
using PlacementPause = std::function<void(std::chrono::milliseconds)>;

void SleepBeforeRetry(std::chrono::milliseconds pause);

// Learns each placed file's new Known; called on worker threads, so it must serialise itself.
using PlacedFileCallback = std::function<void(const FileEntry&, const Known&)>;

// Moves `source` over `target` with replace and write-through. A target the game holds (access,
// sharing or lock violation) is tried 25 times, 200 ms apart, then reported as game_running. A
// read-only target is made writable and tried again at once; a folder at the target is reported
// at once, as io with the path. The source is gone afterwards in every failure of the move.
Status PlaceFile(const std::filesystem::path& source, const std::filesystem::path& target, const FileEntry& entry,
                 Known& placed, const PlacementPause& pause = SleepBeforeRetry);

// Places one content at every path of `group` (entries sharing one sha256, in manifest order):
// copies of `finished_file` for all but the last, the file itself for the last.
Status PlaceContentGroup(const std::filesystem::path& game_folder, const std::vector<FileEntry>& group,
                         const std::filesystem::path& finished_file, const PlacedFileCallback& on_placed,
                         UpdateProgress& progress, const PlacementPause& pause = SleepBeforeRetry);

}  // namespace dkl
