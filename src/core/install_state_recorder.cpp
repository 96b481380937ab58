#include "core/install_state_recorder.h"

namespace dkl {

InstallStateRecorder::InstallStateRecorder(InstallState& state, Save save, Clock now)
    : state_(state), save_(std::move(save)), now_(std::move(now)), last_save_ms_(now_()) {}

Status InstallStateRecorder::MarkUpdateUnfinished() {
  std::lock_guard hold(lock_);
  const bool before = state_.update_unfinished;
  state_.update_unfinished = true;
  Status saved = save_(state_);
  if (!saved.ok()) state_.update_unfinished = before;
  return saved;
}

void InstallStateRecorder::Record(const FileEntry& entry, const Known& known) {
  std::lock_guard hold(lock_);
  state_.files[entry.path] = known;
  const std::uint64_t now = now_();
  if (now - last_save_ms_ <= kInstallStateSaveIntervalMs) return;
  save_(state_);
  last_save_ms_ = now;
}

}  // namespace dkl
