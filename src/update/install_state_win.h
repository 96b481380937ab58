#pragma once

#include <filesystem>

#include "base/status.h"
#include "update/install_state.h"

namespace dkl {

// Never fails: a missing, oversized or damaged file gives the empty state.
InstallState LoadInstallState(const std::filesystem::path& game_folder);

// The atomic write's Status; creates ".dklauncher" when needed.
Status SaveInstallState(const InstallState& state, const std::filesystem::path& game_folder);

}  // namespace dkl
