// Where the launcher, the game and the launcher's per-user files live.
#pragma once

#include <filesystem>

namespace dkl {

// The running executable; empty when the platform fails or the path needs 520 characters or more.
std::filesystem::path ExecutablePath();

// The executable's folder, or "." when the executable path is empty.
std::filesystem::path DefaultGameFolder();

// Roaming application data / "local.duskcrown.launcher", or the default game folder /
// ".dklauncher-config" when the known folder is unavailable. Not created here.
std::filesystem::path AppDataFolder();

// `path` with `suffix` appended to its last component ("a\b.exe" + ".old" is "a\b.exe.old").
std::filesystem::path WithSuffix(const std::filesystem::path& path, const wchar_t* suffix);

}  // namespace dkl
