// Stands in for the game executable: records how it was started and exits with 0.
//
// It writes "test-game-record.txt" beside its own executable (not in the current folder):
//   cmd=<the whole command line>
//   arg=<an argument after the program name, as CommandLineToArgvW splits them; one line each>
//   cwd=<the current folder>
// every line UTF-8 and ending in "\n". The record is written to "test-game-record.txt.tmp" and then
// renamed, so once the record exists it is complete; a second start replaces it.
#include <windows.h>
#include <shellapi.h>

#include <fstream>
#include <string>

#include "base/paths_win.h"
#include "base/text_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::filesystem::path folder = dkl::ExecutablePath().parent_path();
  const std::filesystem::path record = folder / L"test-game-record.txt";
  const std::filesystem::path staging = folder / L"test-game-record.txt.tmp";
  {
    std::ofstream out(staging, std::ios::binary | std::ios::trunc);
    out << "cmd=" << dkl::WideToUtf8(GetCommandLineW()) << "\n";
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int index = 1; arguments != nullptr && index < count; ++index) {
      out << "arg=" << dkl::WideToUtf8(arguments[index]) << "\n";
    }
    LocalFree(arguments);
    wchar_t current[4096];
    const DWORD length = GetCurrentDirectoryW(4096, current);
    out << "cwd=" << dkl::WideToUtf8(std::wstring_view(current, length)) << "\n";
  }
  return MoveFileExW(staging.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
