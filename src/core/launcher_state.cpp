#include "core/launcher_state.h"

namespace dkl {

LauncherState::~LauncherState() {
  if (!worker.joinable()) return;
  // Joining itself would deadlock; the state is never destroyed from the worker, but never hang on it.
  if (worker.get_id() == std::this_thread::get_id()) {
    worker.detach();
  } else {
    worker.join();
  }
}

}  // namespace dkl
