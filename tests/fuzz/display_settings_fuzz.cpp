// The game's own "settings.json" through the launcher's load, save and load again: whatever the file
// holds, the values load safely, and everything the game keeps there outlives the launcher's save.
#include "base/json_object.h"
#include "fuzz/fuzz_target.h"
#include "gfx/display_settings.h"

namespace dkl::fuzz {
namespace {

using Json = nlohmann::json;

constexpr const char* kWindowMembers[] = {"width", "height"};
constexpr const char* kDisplayMembers[] = {"fullscreen", "borderless",      "fullscreenStretch", "fpsLimit", "vsync",
                                           "captureMouse", "ambientLighting", "bodyAuras",         "detailLevel"};

// What belongs to the game alone. A "window" or "display" that is missing or not an object is the
// launcher's to make, so it does not count.
template <std::size_t N>
void DropLauncherMembers(Json& document, const Json& original, const char* key, const char* const (&members)[N]) {
  const auto found = original.find(key);
  if (found == original.end() || !found->is_object()) {
    document.erase(key);
    return;
  }
  for (const char* member : members) document[key].erase(member);
}

Json GameMembers(Json document, const Json& original) {
  DropLauncherMembers(document, original, "window", kWindowMembers);
  DropLauncherMembers(document, original, "display", kDisplayMembers);
  return document;
}

// The loaded values, corrected where a save would refuse them, as the player would correct them.
DisplaySettings Saveable(DisplaySettings settings) {
  const DisplaySettings defaults;
  if (!ValidateDisplaySettings(settings).ok()) {
    settings.width = defaults.width;
    settings.height = defaults.height;
    settings.fpsLimit = defaults.fpsLimit;
  }
  return settings;
}

void LoadSaveLoad(ByteView input) {
  const Json document = ParseJsonObject(input);
  const DisplaySettings loaded = DisplaySettingsFromJson(document);
  FUZZ_CHECK(loaded.detailLevel >= 0 && loaded.detailLevel <= 2);
  const DisplaySettings saved = Saveable(loaded);
  FUZZ_CHECK(ValidateDisplaySettings(saved).ok());

  const std::string text = DumpJson(MergeDisplaySettings(document, saved), 2);
  const Json reread = ParseJsonObject(AsBytes(text));
  FUZZ_CHECK(DisplaySettingsFromJson(reread) == saved);
  FUZZ_CHECK(GameMembers(reread, document) == GameMembers(document, document));
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("display_settings", dkl::fuzz::LoadSaveLoad)
