// Running Linux commands from a test under Wine: the test servers, and xdotool for the real window.
// Wine cannot wait on a Linux child, so each command reports its exit code through a file.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dkl::testing {

// `path` as Linux programs see it; nothing on Windows proper, where Wine's conversion is missing.
std::optional<std::string> UnixPath(const std::filesystem::path& path);

// One word for /bin/sh, single-quoted.
std::string ShellWord(std::string_view text);

// Starts `command` under /bin/sh without waiting. False when it cannot start, or when it holds a
// double quote (the command line reaches Wine inside double quotes).
bool LaunchShell(const std::string& command);

// The exit code a command wrote to `report` (a number and a newline), or nothing after `limit`.
std::optional<int> WaitForExitCode(const std::filesystem::path& report, std::chrono::milliseconds limit);

// Runs `command` under /bin/sh with its output in `folder`/`name`.log and waits at most `limit`:
// its exit code, or nothing when it did not start or end in time.
std::optional<int> RunShell(const std::string& command, const std::filesystem::path& folder, const std::string& name,
                            std::chrono::milliseconds limit);

}  // namespace dkl::testing
