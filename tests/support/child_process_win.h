// Programs the tests start for real: the launcher, dklctl, the test game.
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

}  // namespace dkl::testing
