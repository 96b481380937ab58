// The launcher's own preferences and its rollback guard, as stored in "settings.json".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace dkl {

inline constexpr std::uint64_t kLauncherSettingsMaxBytes = 1048576;
inline constexpr char kLauncherSettingsFileName[] = "settings.json";

struct LauncherSettings {
  // The game folder the player chose, UTF-8; unset means the default game folder.
  std::optional<std::string> game_dir;
  std::string lang = "es";
  std::uint64_t max_serial = 0;  // highest manifest serial a successful run accepted
  std::string gpu_notice_dismissed;  // graphics signature whose notice the player dismissed
};

// Takes each value only when it has the right type and form; everything else keeps its default.
LauncherSettings SettingsFromJson(const nlohmann::json& document);

// Two-space indent, keys in byte order, UTF-8 unescaped, no trailing newline.
std::string SerializeSettings(const LauncherSettings& settings);

}  // namespace dkl
