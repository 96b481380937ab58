#include "gfx/display_settings_win.h"

#include "base/atomic_write_win.h"
#include "base/json_file_win.h"
#include "base/json_object.h"

namespace dkl {
namespace {

nlohmann::json LoadGameDocument(const std::filesystem::path& game_folder) {
  return LoadJsonObjectFile(game_folder / kDisplaySettingsFileName, kDisplaySettingsMaxBytes);
}

}  // namespace

DisplaySettings LoadDisplaySettings(const std::filesystem::path& game_folder) {
  return DisplaySettingsFromJson(LoadGameDocument(game_folder));
}

Status SaveDisplaySettings(const std::filesystem::path& game_folder, const DisplaySettings& settings) {
  if (Status refused = ValidateDisplaySettings(settings); !refused.ok()) return refused;
  const nlohmann::json document = MergeDisplaySettings(LoadGameDocument(game_folder), settings);
  return AtomicWriteFile(game_folder / kDisplaySettingsFileName, AsBytes(DumpJson(document, 2)));
}

}  // namespace dkl
