// The launcher's plain-text diary in the game folder: ".dklauncher\launcher.log".
#pragma once

#include <filesystem>
#include <string_view>

namespace dkl {

// Appends one line; never fails towards the caller. A log already larger than 262,144 bytes is
// deleted first, so the file stays within one line of that bound and there is no second generation.
void AppendLauncherLog(const std::filesystem::path& game_folder, std::string_view message);

}  // namespace dkl
