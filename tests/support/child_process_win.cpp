#include "support/child_process_win.h"

#include <windows.h>

#include <chrono>
#include <thread>

#include "base/paths_win.h"
#include "base/unique_handle_win.h"
#include "support/temp_dir.h"

namespace dkl::testing {

std::filesystem::path CopyBuiltProgram(const wchar_t* name, const std::filesystem::path& folder, const wchar_t* as) {
  std::filesystem::create_directories(folder);
  const auto copy = folder / (as != nullptr ? as : name);
  std::filesystem::copy_file(ExecutablePath().parent_path() / name, copy,
                             std::filesystem::copy_options::overwrite_existing);
  return copy;
}

long RunToExit(const std::filesystem::path& executable, const std::filesystem::path& folder,
               const std::wstring& arguments) {
  constexpr DWORD kProcessTimeoutMs = 20000;
  std::wstring command_line = L"\"" + executable.native() + L"\"";
  if (!arguments.empty()) command_line += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info)) {
    return -1;
  }
  CloseHandle(info.hThread);
  UniqueHandle process(info.hProcess);
  if (WaitForSingleObject(process.get(), kProcessTimeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  return static_cast<long>(code);
}

std::string WaitForFile(const std::filesystem::path& file) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (std::filesystem::exists(file)) return ReadFile(file);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return {};
}

std::string RecordValue(const std::string& record, const std::string& key) {
  const std::string marker = key + "=";
  for (std::size_t line = 0; line < record.size();) {
    const std::size_t end = record.find('\n', line);
    const std::size_t stop = end == std::string::npos ? record.size() : end;
    if (record.compare(line, marker.size(), marker) == 0) {
      return record.substr(line + marker.size(), stop - line - marker.size());
    }
    line = stop + 1;
  }
  return "<missing>";
}

}  // namespace dkl::testing
