// Remembering each file a sync places, and saving that knowledge now and then while the sync runs.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "base/status.h"
#include "update/install_state.h"
#include "update/manifest.h"

namespace dkl {

inline constexpr std::uint64_t kInstallStateSaveIntervalMs = 3000;

// The per-file callback of one update run. A process killed mid-sync loses only the files placed
// since the last save, and those are found correct again by the next check.
class InstallStateRecorder {
 public:
  using Save = std::function<Status(const InstallState&)>;
  using Clock = std::function<std::uint64_t()>;  // milliseconds, monotonic

  // The last save counts from now.
  InstallStateRecorder(InstallState& state, Save save, Clock now);

  // Saves the state with the update marked unfinished: called before the first game file is
  // replaced, so that a run killed from then on leaves a folder nobody offers for play. When the
  // save fails the state stays as it was, and nothing may be replaced.
  Status MarkUpdateUnfinished();

  // Safe from several threads at once; saves while holding the lock when more than the interval
  // has passed since the last save (exactly the interval does not save). A failed save is ignored.
  void Record(const FileEntry& entry, const Known& known);

 private:
  InstallState& state_;
  Save save_;
  Clock now_;
  std::mutex lock_;
  std::uint64_t last_save_ms_;
};

}  // namespace dkl
