// A launcher that replaces itself while it runs. Started as
//   self_update_probe.exe MIRROR_URL SHA256 SIZE
// it runs SelfUpdate for the running executable with that mirror and entry, writes
// "kind=N\nmessage=TEXT\n" to "self-update-report.txt" in its executable's folder and exits with N.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <fstream>
#include <string>

#include "base/paths_win.h"
#include "base/text_win.h"
#include "core/self_update_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 4) return 100;
  const std::string mirror = dkl::WideToUtf8(arguments[1]);
  const dkl::LauncherEntry launcher{"2.0.2", dkl::WideToUtf8(arguments[2]), std::wcstoull(arguments[3], nullptr, 10),
                                    std::nullopt};
  LocalFree(arguments);

  // Taken before the swap moves the running file aside.
  const std::filesystem::path folder = dkl::ExecutablePath().parent_path();
  const dkl::HttpSession session = dkl::OpenHttpSession(dkl::MakeUserAgent());
  dkl::UpdateProgress progress;
  const dkl::Status status = dkl::SelfUpdate(session, {mirror}, launcher, progress);
  std::ofstream(folder / L"self-update-report.txt", std::ios::binary)
      << "kind=" << static_cast<int>(status.kind) << "\nmessage=" << status.message << "\n";
  return static_cast<int>(status.kind);
}
