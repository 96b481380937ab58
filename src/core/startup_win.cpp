#include "core/startup_win.h"

#include <string>

#include "base/paths_win.h"
#include "core/app_context_win.h"
#include "core/crash_report_win.h"
#include "core/self_update.h"
#include "core/single_instance_win.h"
#include "ui/launcher_window_win.h"

namespace dkl {

void HardenDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr) return;
  const auto set_default_dll_directories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
  if (set_default_dll_directories != nullptr) set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void DeleteLeftoverLauncher() {
  const std::filesystem::path executable = ExecutablePath();
  if (executable.empty()) return;
  DeleteFileW(WithSuffix(executable, kOldLauncherSuffix).c_str());
}

bool StartLauncherProcess(const std::filesystem::path& executable) {
  std::wstring command_line = L"\"" + executable.native() + L"\"";
  const std::filesystem::path folder = executable.parent_path();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

int RunLauncher(HINSTANCE instance) {
  HardenDllSearch();
  InstallCrashFilter(AppDataFolder());
  InstanceGuard guard = InstanceGuard::Acquire();
  if (guard.another_instance_runs()) {
    // A second start only brings the first window forward: no file is touched, nothing is logged.
    BringFirstInstanceForward();
    return 0;
  }
  DeleteLeftoverLauncher();

  bool restart = false;
  int exit_code = 0;
  {
    // The window goes before the context it uses.
    AppContext context;
    LauncherWindow window(instance, context);
    exit_code = RunLauncherWindow(window, restart);
  }
  guard.Release();
  // After a self-update the executable path names the new launcher.
  if (restart) StartLauncherProcess(ExecutablePath());
  return exit_code;
}

}  // namespace dkl
