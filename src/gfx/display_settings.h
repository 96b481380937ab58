// The display part of the game's own "settings.json", as the launcher reads and writes it.
#pragma once

#include <cstdint>

#include <nlohmann/json.hpp>

#include "base/status.h"

namespace dkl {

inline constexpr std::uint64_t kDisplaySettingsMaxBytes = 4194304;
inline constexpr char kDisplaySettingsFileName[] = "settings.json";

// The values are stable: the settings page lists the modes in this order.
enum class WindowMode : std::int32_t {
  Windowed = 0,
  Borderless = 1,
  Fullscreen = 2,
};

// Member names follow the game's own keys.
struct DisplaySettings {
  WindowMode mode = WindowMode::Windowed;
  std::uint32_t width = 800;
  std::uint32_t height = 600;
  bool fullscreenStretch = true;
  std::uint32_t fpsLimit = 0;  // 0: no limit
  bool vsync = false;
  bool captureMouse = false;
  bool ambientLighting = true;
  bool bodyAuras = true;
  std::int32_t detailLevel = 2;  // 0 to 2

  bool operator==(const DisplaySettings&) const = default;
};

// Reads "window" and "display" of the game's document; a member of the wrong type or form keeps
// its default. Resolution and frame limit are taken as found, even when a save would refuse them.
DisplaySettings DisplaySettingsFromJson(const nlohmann::json& document);

// Kind invalid with "WIDTHxHEIGHT", "fps N" or "detail level" for values the game does not offer.
Status ValidateDisplaySettings(const DisplaySettings& settings);

// `document` with the launcher's members of "window" and "display" overwritten; everything else
// the game keeps there stays. A "window" or "display" that is not an object becomes one.
nlohmann::json MergeDisplaySettings(nlohmann::json document, const DisplaySettings& settings);

}  // namespace dkl
