// The one long-lived object of the launcher, built at start-up and torn down in reverse order.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "core/launcher_settings.h"
#include "core/launcher_state.h"
#include "gfx/graphics_report.h"
#include "net/http_session_win.h"

namespace dkl {

struct AppContext {
  // Cannot fail: every step that fails leaves its member at that member's default.
  AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // The folder the player chose, or the one beside the launcher. Ask at the start of each operation.
  std::filesystem::path game_folder() const;

  // Starts the game executable that the last run named (or the default one) in the game folder with
  // "--from-launcher", once a run has made the game playable. Kind busy while it may not.
  Status launch_game();

  // Opens `url` in the default browser when it lies under the website; an empty `url` opens the
  // website's home page in the interface language. True when the shell accepted it.
  bool open_link(std::string_view url);

  // Declaration order is construction order; destruction runs in reverse.
  std::filesystem::path app_data_dir;
  LauncherSettings settings;
  HttpSession transport;
  std::vector<std::string> mirrors;   // update base URLs, tried in order
  std::vector<std::string> websites;  // website base URLs
  GraphicsReport graphics;
  LauncherState state;
};

}  // namespace dkl
