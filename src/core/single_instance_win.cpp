#include "core/single_instance_win.h"

#include <windows.h>

#include "ui/window_class.h"

namespace dkl {

InstanceGuard InstanceGuard::Acquire() {
  InstanceGuard guard;
  guard.mutex_ = UniqueHandle(CreateMutexW(nullptr, TRUE, L"Local\\DuskcrownLauncher"));
  guard.another_instance_runs_ = guard.mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
  return guard;
}

void BringFirstInstanceForward() {
  const HWND window = FindWindowW(kLauncherWindowClass, nullptr);
  if (window == nullptr) return;
  ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

}  // namespace dkl
