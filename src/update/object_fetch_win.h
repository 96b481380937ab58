#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/status.h"
#include "core/launcher_state.h"
#include "net/http_session_win.h"
#include "update/manifest.h"
#include "update/mirror_ranking.h"

namespace dkl {

// Pauses the calling worker between attempts; tests pass one that only records the pause.
using AttemptPause = std::function<void(std::chrono::milliseconds)>;

void SleepBetweenAttempts(std::chrono::milliseconds pause);

// Brings one entry's object from the mirrors into `download_area` and proves it: `finished_file`
// then holds the content with the entry's size and SHA-256. Attempts cycle through the ranking
// (twice its length, at least 3), pausing 400 ms times the attempt's number before each retry and
// resuming partial downloads; `progress.bytes_done` counts only what the last attempt added. A
// mirror whose bytes fail a proof is distrusted in `ranking`, and its bytes are never resumed.
Status FetchObject(const HttpSession& session, MirrorRanking& ranking, const FileEntry& entry,
                   const std::filesystem::path& download_area, UpdateProgress& progress,
                   std::filesystem::path& finished_file, const AttemptPause& pause = SleepBetweenAttempts);

}  // namespace dkl
