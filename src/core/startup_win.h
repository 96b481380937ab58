// The process from entry to exit: guard, leftovers, context, window, tear-down, restart.
#pragma once

#include <windows.h>

#include <filesystem>

namespace dkl {

// Returns the process exit code.
int RunLauncher(HINSTANCE instance);

// Loads DLLs from System32 only, where the platform offers it.
void HardenDllSearch();

// Removes the launcher file a self-update left behind; a failure waits for the next start.
void DeleteLeftoverLauncher();

// Starts `executable` with no arguments in its own folder, inheriting nothing; true on success.
bool StartLauncherProcess(const std::filesystem::path& executable);

}  // namespace dkl
