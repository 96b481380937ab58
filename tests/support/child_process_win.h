// Programs built beside the tests, copied where a test needs them and run as real processes.
#pragma once

#include <filesystem>
#include <string>

namespace dkl::testing {

// Copies the program `name` built beside the running test into `folder` (created when missing),
// under `name` or under `as` when given; returns the copy's path.
std::filesystem::path CopyBuiltProgram(const wchar_t* name, const std::filesystem::path& folder,
                                       const wchar_t* as = nullptr);

// Runs `executable` in `folder` with the command line `"executable" arguments` (no arguments when
// empty) and returns its exit code, or -1 when it cannot start or has not ended within 20 seconds.
long RunToExit(const std::filesystem::path& executable, const std::filesystem::path& folder,
               const std::wstring& arguments = L"");

// The content of `file` once it exists, polling for up to 10 seconds; empty when it never appears.
std::string WaitForFile(const std::filesystem::path& file);

// The value of the first "key=value" line of `record`, or "<missing>".
std::string RecordValue(const std::string& record, const std::string& key);

}  // namespace dkl::testing
