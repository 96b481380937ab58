#include <windows.h>

#include <mutex>
#include <string>

#include "base/status_win.h"
#include "core/app_context_win.h"
#include "update/manifest_path_win.h"

namespace dkl {
namespace {

// What the game folder holds before any run has named its executable.
constexpr char kDefaultGameExe[] = "Game_x64_win.exe";

}  // namespace

Status AppContext::launch_game() {
  if (state.busy.load() || !state.playable.load()) return MakeStatus(StatusKind::Busy, "not ready");
  const std::filesystem::path folder = game_folder();
  std::string name;
  {
    const std::lock_guard lock(state.game_exe_lock);
    name = state.game_exe;
  }
  if (name.empty()) name = kDefaultGameExe;

  // The name comes from the manifest: it must never lead outside the game folder.
  std::filesystem::path executable;
  if (!ResolveManifestPath(folder, name, executable)) return MakeStatus(StatusKind::Invalid, "game exe");

  std::wstring command_line = L"\"" + executable.native() + L"\" --from-launcher";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    return LastErrorStatus("start " + name);
  }
  // The launcher closes once the game runs; it neither waits for the game nor keeps it.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return OkStatus();
}

}  // namespace dkl
