// The launcher's own "settings.json" as a crash or a player may leave it: loading never fails, takes
// only values of the right form, and what the launcher saves loads back as it was.
#include "base/json_object.h"
#include "core/launcher_settings.h"
#include "fuzz/fuzz_target.h"

namespace dkl::fuzz {
namespace {

bool Same(const LauncherSettings& a, const LauncherSettings& b) {
  return a.game_dir == b.game_dir && a.lang == b.lang && a.max_serial == b.max_serial &&
         a.gpu_notice_dismissed == b.gpu_notice_dismissed;
}

void LoadAndSave(ByteView input) {
  const LauncherSettings loaded = SettingsFromJson(ParseJsonObject(input));
  FUZZ_CHECK(loaded.lang == "es" || loaded.lang == "en");
  FUZZ_CHECK(!loaded.game_dir || !loaded.game_dir->empty());
  const std::string saved = SerializeSettings(loaded);
  FUZZ_CHECK(Same(SettingsFromJson(ParseJsonObject(AsBytes(saved))), loaded));
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("launcher_settings", dkl::fuzz::LoadAndSave)
