// The one long-lived object of the launcher, built at start-up and torn down in reverse order.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/launcher_settings.h"
#include "core/launcher_state.h"
#include "gfx/graphics_report.h"
#include "net/http_session_win.h"

namespace dkl {

struct AppContext {
  // Cannot fail: every step that fails leaves its member at that member's default.
  AppContext();
  // The same, with the launcher settings read from and saved to `settings_dir` (dklctl, tests).
  explicit AppContext(std::filesystem::path settings_dir);
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // The folder the player chose, or the one beside the launcher. Ask at the start of each operation.
  std::filesystem::path game_folder() const;

  // Declaration order is construction order; destruction runs in reverse.
  std::filesystem::path app_data_dir;
  LauncherSettings settings;
  HttpSession transport;
  std::vector<std::string> mirrors;   // update base URLs, tried in order
  std::vector<std::string> websites;  // website base URLs
  GraphicsReport graphics;
  LauncherState state;
  // dklctl's --folder: the game folder for this process only, never written into the settings.
  std::optional<std::filesystem::path> game_folder_override;
};

}  // namespace dkl
