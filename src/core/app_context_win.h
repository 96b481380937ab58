// The one long-lived object of the launcher, built at start-up and torn down in reverse order.
#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "core/launcher_settings.h"
#include "core/launcher_state.h"
#include "core/sync_outcome.h"
#include "gfx/display_settings.h"
#include "gfx/graphics_report.h"
#include "net/http_session_win.h"

namespace dkl {

struct AppContext {
  // Cannot fail: every step that fails leaves its member at that member's default.
  AppContext();
  // The same, with the launcher settings read from and saved to `settings_dir` and, when given, the
  // game folder of this process only (dklctl, tests); start-up's log lines already go there.
  explicit AppContext(std::filesystem::path settings_dir,
                      std::optional<std::filesystem::path> folder_override = std::nullopt);
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

  // The commands the window calls, all on the main thread.
  using UpdateCallback = std::function<void(const SyncOutcome&)>;
  // Starts a run on the worker; `on_done` is called once, on the worker, after busy is cleared.
  Status start_update(bool verify, UpdateCallback on_done);
  void join_worker();
  // `changed` tells whether the folder differs from the one in use (then a quick run is due).
  Status set_game_folder(const std::filesystem::path& folder, const DisplaySettings& display, bool& changed);
  DisplaySettings load_display_settings() const;
  bool graphics_notice_needed() const;
  Status apply_graphics_advice();
  void dismiss_graphics_notice();
  Status set_language(const std::string& lang);
  // Saves the launcher settings under settings_lock; the result is the atomic write's.
  Status save_settings();

  // Declaration order is construction order; destruction runs in reverse.
  std::filesystem::path app_data_dir;
  // The main thread's commands and the update worker's max_serial both change and save the
  // settings; the lock keeps one save from reading or writing over another.
  mutable std::mutex settings_lock;
  LauncherSettings settings;
  HttpSession transport;
  std::vector<std::string> mirrors;   // update base URLs, tried in order
  std::vector<std::string> websites;  // website base URLs
  GraphicsReport graphics;
  LauncherState state;
  // dklctl's --folder: the game folder for this process only, never written into the settings.
  std::optional<std::filesystem::path> game_folder_override;
  // The executable a self-update replaces: the running launcher, or for dklctl the one beside it.
  std::filesystem::path launcher_exe;
};

}  // namespace dkl
