#include "core/crash_report_win.h"

#include <cstdint>
#include <string>
#include <vector>

#include "core/crash_line.h"

namespace dkl {
namespace {

// Inside the filter the heap may be corrupt and another thread may have died holding the CRT's
// locks, so the filter only reads what installation prepared and calls the system directly: no
// allocation of its own, no stdio, no locks. Windows may still use its own heap inside those calls;
// that is beyond the launcher's reach.
struct CrashReportTarget {
  std::vector<std::wstring> folders;  // outermost first, the application-data folder last
  std::wstring log_file;
  CrashNoticeFn notice = nullptr;
};

// Never freed: a crash while static objects are destroyed at exit must still find it.
const CrashReportTarget* installed_target = nullptr;

std::vector<std::wstring> FolderChain(const std::filesystem::path& folder) {
  std::vector<std::wstring> chain;
  for (std::filesystem::path at = folder; !at.empty() && at != at.root_path(); at = at.parent_path()) {
    chain.insert(chain.begin(), at.native());
    if (at.parent_path() == at) break;
  }
  return chain;
}

void CreateFolders(const CrashReportTarget& target) {
  // A folder that exists already or cannot be made only shows later, when the file does not open.
  for (const std::wstring& folder : target.folders) CreateDirectoryW(folder.c_str(), nullptr);
}

void AppendCrashLine(const CrashReportTarget& target, const EXCEPTION_RECORD* record) {
  const std::uint32_t code = record != nullptr ? record->ExceptionCode : 0;
  const auto address = record != nullptr ? reinterpret_cast<std::uintptr_t>(record->ExceptionAddress) : 0;
  const CrashLine line = FormatCrashLine(code, address);
  // Append-only access: each write lands at the end, byte for byte.
  const HANDLE file = CreateFileW(target.log_file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.view().data(), static_cast<DWORD>(line.view().size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

void InstallCrashFilter(const std::filesystem::path& app_data_dir, CrashNoticeFn notice) {
  installed_target = new CrashReportTarget{FolderChain(app_data_dir), (app_data_dir / L"crash.log").native(), notice};
  SetUnhandledExceptionFilter(CrashFilter);
}

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers) {
  const CrashReportTarget* target = installed_target;
  if (target != nullptr) {
    CreateFolders(*target);
    AppendCrashLine(*target, pointers != nullptr ? pointers->ExceptionRecord : nullptr);
  }
  const CrashNoticeFn notice = target != nullptr ? target->notice : MessageBoxW;
  notice(nullptr, kCrashMessage, kCrashCaption, MB_ICONERROR);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace dkl
