// Programs the tests start for real: the launcher, dklctl, the probes, the test game.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/unique_handle_win.h"

namespace dkl::testing {

inline constexpr DWORD kChildTimeoutMs = 30000;

class ChildProcess {
 public:
  // Starts `executable` with `arguments` (each quoted) in `folder`; stdout and stderr go to the
  // given files when they are not empty, so no pipe can hold a test up.
  ChildProcess(const std::filesystem::path& executable, const std::vector<std::wstring>& arguments,
               const std::filesystem::path& folder, const std::filesystem::path& stdout_file = {},
               const std::filesystem::path& stderr_file = {});
  // A child still running when the test ends is killed, so that no test leaves one behind.
  ~ChildProcess();

  bool started() const { return static_cast<bool>(process_); }
  // The process id, 0 when it did not start.
  DWORD id() const { return process_ ? GetProcessId(process_.get()) : 0; }
  // The exit code, or -1 when the process did not start or did not end within `timeout_ms`.
  long Wait(DWORD timeout_ms = kChildTimeoutMs);
  // Ends the process at once, as a player's crash or Task Manager would, and waits for it.
  void Kill();

 private:
  UniqueHandle process_;
};

// Starts `executable` and waits for it: its exit code and what it wrote on stdout and stderr.
struct ChildResult {
  long exit_code = -1;
  std::string out;
  std::string err;
};
ChildResult RunChild(const std::filesystem::path& executable, const std::vector<std::wstring>& arguments,
                     const std::filesystem::path& folder);

// Copies the program `name` built beside the running test into `folder` (created when missing),
// under `name` or under `as` when given; returns the copy's path.
std::filesystem::path CopyBuiltProgram(const wchar_t* name, const std::filesystem::path& folder,
                                       const wchar_t* as = nullptr);

// Runs `executable` in `folder` with `arguments` and returns its exit code, or -1 when it cannot
// start or has not ended within 20 seconds.
long RunToExit(const std::filesystem::path& executable, const std::filesystem::path& folder,
               const std::vector<std::wstring>& arguments = {});

// The content of `file` once it exists, polling for up to 10 seconds; empty when it never appears.
std::string WaitForFile(const std::filesystem::path& file);

// The value of the first "key=value" line of `record`, or "<missing>".
std::string RecordValue(const std::string& record, const std::string& key);

}  // namespace dkl::testing
