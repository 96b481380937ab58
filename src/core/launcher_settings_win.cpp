#include "core/launcher_settings_win.h"

#include "base/atomic_write_win.h"
#include "base/json_file_win.h"

namespace dkl {

LauncherSettings LoadLauncherSettings(const std::filesystem::path& app_data_dir) {
  return SettingsFromJson(LoadJsonObjectFile(app_data_dir / kLauncherSettingsFileName, kLauncherSettingsMaxBytes));
}

Status SaveLauncherSettings(const LauncherSettings& settings, const std::filesystem::path& app_data_dir) {
  return AtomicWriteFile(app_data_dir / kLauncherSettingsFileName, AsBytes(SerializeSettings(settings)));
}

}  // namespace dkl
