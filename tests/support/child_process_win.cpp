#include "support/child_process_win.h"

#include <chrono>
#include <thread>

#include "base/paths_win.h"
#include "support/temp_dir.h"

namespace dkl::testing {
namespace {

UniqueHandle InheritableOutput(const std::filesystem::path& file) {
  if (file.empty()) return UniqueHandle();
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return UniqueHandle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& executable, const std::vector<std::wstring>& arguments,
                           const std::filesystem::path& folder, const std::filesystem::path& stdout_file,
                           const std::filesystem::path& stderr_file) {
  std::wstring command_line = L"\"" + executable.native() + L"\"";
  for (const std::wstring& argument : arguments) command_line += L" \"" + argument + L"\"";
  const UniqueHandle out = InheritableOutput(stdout_file);
  const UniqueHandle err = InheritableOutput(stderr_file);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  const bool redirect = out || err;
  if (redirect) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = out ? out.get() : INVALID_HANDLE_VALUE;
    startup.hStdError = err ? err.get() : INVALID_HANDLE_VALUE;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, redirect, 0, nullptr, folder.c_str(),
                      &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_ = UniqueHandle(info.hProcess);
}

ChildProcess::~ChildProcess() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) Kill();
}

long ChildProcess::Wait(DWORD timeout_ms) {
  if (!process_ || WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return static_cast<long>(code);
}

void ChildProcess::Kill() {
  if (!process_) return;
  TerminateProcess(process_.get(), 99);
  WaitForSingleObject(process_.get(), kChildTimeoutMs);
}

ChildResult RunChild(const std::filesystem::path& executable, const std::vector<std::wstring>& arguments,
                     const std::filesystem::path& folder) {
  const TempDir output;
  ChildResult result;
  {
    ChildProcess child(executable, arguments, folder, output / "stdout.txt", output / "stderr.txt");
    result.exit_code = child.Wait();
    if (result.exit_code == -1) child.Kill();
  }
  result.out = ReadFile(output / "stdout.txt");
  result.err = ReadFile(output / "stderr.txt");
  return result;
}

std::filesystem::path CopyBuiltProgram(const wchar_t* name, const std::filesystem::path& folder, const wchar_t* as) {
  std::filesystem::create_directories(folder);
  const auto copy = folder / (as != nullptr ? as : name);
  std::filesystem::copy_file(ExecutablePath().parent_path() / name, copy,
                             std::filesystem::copy_options::overwrite_existing);
  return copy;
}

long RunToExit(const std::filesystem::path& executable, const std::filesystem::path& folder,
               const std::vector<std::wstring>& arguments) {
  constexpr DWORD kProcessTimeoutMs = 20000;
  return ChildProcess(executable, arguments, folder).Wait(kProcessTimeoutMs);
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
