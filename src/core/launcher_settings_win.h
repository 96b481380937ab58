#pragma once

#include <filesystem>

#include "base/status.h"
#include "core/launcher_settings.h"

namespace dkl {

// Never fails: a missing, oversized or damaged "settings.json" gives the defaults.
LauncherSettings LoadLauncherSettings(const std::filesystem::path& app_data_dir);

// Writes the whole file atomically, creating the application-data folder when needed.
Status SaveLauncherSettings(const LauncherSettings& settings, const std::filesystem::path& app_data_dir);

}  // namespace dkl
