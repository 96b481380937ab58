#include "core/app_context_win.h"

#include <dkl/build_settings.h>

#include "base/paths_win.h"
#include "base/text_win.h"
#include "core/launcher_settings_win.h"
#include "gfx/graphics_detect_win.h"
#include "gfx/graphics_log_win.h"

namespace dkl {

AppContext::AppContext() : AppContext(AppDataFolder()) {}

AppContext::AppContext(std::filesystem::path settings_dir, std::optional<std::filesystem::path> folder_override)
    : app_data_dir(std::move(settings_dir)),
      settings(LoadLauncherSettings(app_data_dir)),
      transport(OpenHttpSession(MakeUserAgent())),
      mirrors{kPrimaryUpdateBaseUrl, kFallbackUpdateBaseUrl},
      websites{kWebsiteBaseUrl},
      graphics(DetectGraphics()),
      game_folder_override(std::move(folder_override)),
      launcher_exe(ExecutablePath()) {
  LogGraphicsFindings(game_folder(), graphics);
}

std::filesystem::path AppContext::game_folder() const {
  if (game_folder_override) return *game_folder_override;
  if (settings.game_dir) return Utf8ToWide(*settings.game_dir);
  return DefaultGameFolder();
}

}  // namespace dkl
