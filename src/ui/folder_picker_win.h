// The system's folder picker, for choosing the game folder.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace dkl {

// Shows the picker owned by `owner`, titled `title` and opened at `initial` when that folder exists.
// The chosen file-system folder, or nothing when the player cancelled or the picker failed.
std::optional<std::filesystem::path> PickFolder(HWND owner, const std::wstring& title,
                                                const std::filesystem::path& initial);

}  // namespace dkl
