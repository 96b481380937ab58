#include "base/paths_win.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace dkl {

std::filesystem::path ExecutablePath() {
  constexpr DWORD kCapacity = 520;
  wchar_t buffer[kCapacity];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, kCapacity);
  if (length == 0 || length >= kCapacity) return {};
  return std::filesystem::path(std::wstring(buffer, length));
}

std::filesystem::path DefaultGameFolder() {
  const std::filesystem::path executable = ExecutablePath();
  if (executable.empty()) return L".";
  return executable.parent_path();
}

std::filesystem::path AppDataFolder() {
  PWSTR known = nullptr;
  const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known);
  std::filesystem::path folder;
  if (SUCCEEDED(result) && known != nullptr) {
    folder = std::filesystem::path(known) / L"local.duskcrown.launcher";
  } else {
    folder = DefaultGameFolder() / L".dklauncher-config";
  }
  CoTaskMemFree(known);
  return folder;
}

std::filesystem::path WithSuffix(const std::filesystem::path& path, const wchar_t* suffix) {
  return std::filesystem::path(path.native() + suffix);
}

}  // namespace dkl
