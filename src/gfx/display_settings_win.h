// The game's "settings.json" at the top of the game folder.
#pragma once

#include <filesystem>

#include "base/status.h"
#include "gfx/display_settings.h"

namespace dkl {

// Never fails: a missing, oversized or damaged file gives the defaults. Nothing is cached.
DisplaySettings LoadDisplaySettings(const std::filesystem::path& game_folder);

// Refuses values the game does not offer before touching the file; otherwise rereads the file so
// that whatever the game wrote in the meantime survives, and replaces it atomically.
Status SaveDisplaySettings(const std::filesystem::path& game_folder, const DisplaySettings& settings);

}  // namespace dkl
