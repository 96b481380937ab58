// One launcher per user logon, guarded by the named mutex "Local\DuskcrownLauncher".
#pragma once

#include "base/unique_handle_win.h"

namespace dkl {

class InstanceGuard {
 public:
  // Takes the mutex, initially owned. When it cannot be created the launcher runs unguarded.
  static InstanceGuard Acquire();

  // Another launcher of this logon owns the mutex.
  bool another_instance_runs() const { return another_instance_runs_; }

  // From here on a new launcher process starts as the first instance.
  void Release() { mutex_.reset(); }

 private:
  UniqueHandle mutex_;
  bool another_instance_runs_ = false;
};

// Restores and focuses the first instance's window, when it has one yet.
void BringFirstInstanceForward();

}  // namespace dkl
