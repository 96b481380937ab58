#include "core/install_state_recorder.h"

namespace dkl {

InstallStateRecorder::InstallStateRecorder(InstallState& state, Save save, Clock now)
    : state_(state), save_(std::move(save)), now_(std::move(now)), last_save_ms_(now_()) {}

void InstallStateRecorder::Record(const FileEntry& entry, const Known& known) {
  std::lock_guard hold(lock_);
  state_.files[entry.path] = known;
  const std::uint64_t now = now_();
  if (now - last_save_ms_ <= kInstallStateSaveIntervalMs) return;
  save_(state_);
  last_save_ms_ = now;
}

}  // namespace dkl
