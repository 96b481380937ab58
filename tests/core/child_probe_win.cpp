// Stands in for a launcher started by another process: writes how it was started into
// "child-report.txt" in its current folder and exits.
#include <windows.h>

#include <fstream>
#include <string>

#include "base/paths_win.h"
#include "base/text_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t folder[4096];
  const DWORD length = GetCurrentDirectoryW(4096, folder);
  std::ofstream report("child-report.txt", std::ios::binary);
  report << "cmd=" << dkl::WideToUtf8(GetCommandLineW()) << "\n"
         << "cwd=" << dkl::WideToUtf8(std::wstring_view(folder, length)) << "\n"
         << "exe=" << dkl::WideToUtf8(dkl::ExecutablePath().native()) << "\n"
         << "game=" << dkl::WideToUtf8(dkl::DefaultGameFolder().native()) << "\n"
         << "appdata=" << dkl::WideToUtf8(dkl::AppDataFolder().native()) << "\n";
  return 0;
}
