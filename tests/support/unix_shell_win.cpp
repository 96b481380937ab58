#include "support/unix_shell_win.h"

#include <windows.h>

#include <cstdlib>
#include <thread>

#include "base/text_win.h"
#include "support/temp_dir.h"

namespace dkl::testing {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPollInterval = std::chrono::milliseconds(10);

}  // namespace

std::optional<std::string> UnixPath(const std::filesystem::path& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr) return std::nullopt;
  const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel32, "wine_get_unix_file_name")));
  if (convert == nullptr) return std::nullopt;
  char* unix_path = convert(path.c_str());
  if (unix_path == nullptr) return std::nullopt;
  std::string result(unix_path);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

std::string ShellWord(std::string_view text) {
  std::string word = "'";
  for (const char c : text) {
    if (c == '\'') {
      word += "'\\''";
    } else {
      word += c;
    }
  }
  return word + "'";
}

bool LaunchShell(const std::string& command) {
  if (command.find('"') != std::string::npos) return false;
  std::wstring command_line = L"/bin/sh -c \"" + Utf8ToWide(command) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  // Wine starts a Linux program without a Windows process: no process handle comes back and the rest
  // of the record is left as it was written, often a value that names one of this process's own
  // handles. Only a real process handle and its thread may be closed.
  if (info.hProcess != nullptr) {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  return true;
}

std::optional<int> WaitForExitCode(const std::filesystem::path& report, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (Clock::now() < deadline) {
    const std::string text = ReadFile(report);
    if (!text.empty() && text.back() == '\n') return std::atoi(text.c_str());
    std::this_thread::sleep_for(kPollInterval);
  }
  return std::nullopt;
}

std::optional<int> RunShell(const std::string& command, const std::filesystem::path& folder, const std::string& name,
                            std::chrono::milliseconds limit) {
  const std::optional<std::string> unix_folder = UnixPath(folder);
  if (!unix_folder) return std::nullopt;
  const std::filesystem::path done = folder / (name + ".done");
  std::filesystem::remove(done);
  const std::string report = *unix_folder + "/" + name;
  if (!LaunchShell(command + " </dev/null >" + ShellWord(report + ".log") + " 2>&1; echo $? >" +
                   ShellWord(report + ".done"))) {
    return std::nullopt;
  }
  return WaitForExitCode(done, limit);
}

}  // namespace dkl::testing
