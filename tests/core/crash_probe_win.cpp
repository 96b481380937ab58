// A launcher that crashes. Started as
//   crash_probe.exe APP_DATA_FOLDER MODE
// it installs the crash filter for APP_DATA_FOLDER and then, by MODE:
//   access-violation  dereferences null on a worker thread;
//   shown-access-violation  the same, telling the player with the real message box (needs a display);
//   raise             raises the exception 0xE0000001 on a worker thread;
//   no-record         calls the filter directly with no exception record and exits with its result.
// Apart from the shown mode, the message box is replaced by a stand-in that writes its owner, type,
// caption and text to "notice.txt" in the current folder, so those tests need no display.
#include <windows.h>
#include <shellapi.h>

#include <fstream>
#include <string>
#include <thread>

#include "base/text_win.h"
#include "core/crash_report_win.h"

namespace {

int WINAPI RecordNotice(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  std::ofstream("notice.txt", std::ios::binary | std::ios::app)
      << "owner=" << (owner == nullptr ? "none" : "some") << "\n"
      << "type=" << type << "\n"
      << "caption=" << dkl::WideToUtf8(caption) << "\n"
      << "text=" << dkl::WideToUtf8(text) << "\n";
  return IDOK;
}

void DereferenceNull() {
  volatile int* nowhere = nullptr;
  *nowhere = 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 3) return 100;
  const std::filesystem::path app_data = arguments[1];
  const std::wstring mode = arguments[2];
  LocalFree(arguments);

  const bool shown = mode == L"shown-access-violation";
  dkl::InstallCrashFilter(app_data, shown ? MessageBoxW : RecordNotice);
  if (mode == L"no-record") {
    EXCEPTION_POINTERS pointers{nullptr, nullptr};
    return static_cast<int>(dkl::CrashFilter(&pointers));
  }
  std::thread worker(mode == L"raise" ? +[] { RaiseException(0xE0000001, 0, 0, nullptr); } : DereferenceNull);
  worker.join();
  return 101;
}
