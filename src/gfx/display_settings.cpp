#include "gfx/display_settings.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <utility>

namespace dkl {
namespace {

constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 5> kResolutions{{
    {800, 600}, {1024, 768}, {1280, 960}, {1440, 1080}, {1920, 1440}}};
constexpr std::array<std::uint32_t, 5> kFrameLimits{60, 100, 144, 240, 0};

const nlohmann::json& ObjectMember(const nlohmann::json& document, const char* key) {
  static const nlohmann::json kEmpty = nlohmann::json::object();
  if (!document.is_object()) return kEmpty;
  const auto found = document.find(key);
  return found != document.end() && found->is_object() ? *found : kEmpty;
}

const nlohmann::json* Member(const nlohmann::json& object, const char* key) {
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

bool ReadBool(const nlohmann::json& object, const char* key, bool fallback) {
  const nlohmann::json* value = Member(object, key);
  return value && value->is_boolean() ? value->get<bool>() : fallback;
}

// Only an integer that is neither negative nor too large for 32 bits.
std::uint32_t ReadUnsigned(const nlohmann::json& object, const char* key, std::uint32_t fallback) {
  const nlohmann::json* value = Member(object, key);
  if (!value || !value->is_number_integer()) return fallback;
  if (value->is_number_unsigned()) {
    const auto number = value->get<std::uint64_t>();
    return number <= std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(number) : fallback;
  }
  const auto number = value->get<std::int64_t>();
  return number >= 0 && number <= std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(number)
                                                                             : fallback;
}

std::int32_t ReadDetailLevel(const nlohmann::json& object) {
  const nlohmann::json* value = Member(object, "detailLevel");
  if (!value || !value->is_number_integer()) return 2;
  if (value->is_number_unsigned()) {
    return static_cast<std::int32_t>(std::min<std::uint64_t>(value->get<std::uint64_t>(), 2));
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value->get<std::int64_t>(), 0, 2));
}

WindowMode ReadMode(const nlohmann::json& display) {
  if (ReadBool(display, "fullscreen", false)) return WindowMode::Fullscreen;
  if (ReadBool(display, "borderless", false)) return WindowMode::Borderless;
  return WindowMode::Windowed;
}

nlohmann::json& EnsureObject(nlohmann::json& document, const char* key) {
  nlohmann::json& member = document[key];
  if (!member.is_object()) member = nlohmann::json::object();
  return member;
}

}  // namespace

DisplaySettings DisplaySettingsFromJson(const nlohmann::json& document) {
  const nlohmann::json& window = ObjectMember(document, "window");
  const nlohmann::json& display = ObjectMember(document, "display");
  DisplaySettings settings;
  settings.mode = ReadMode(display);
  settings.width = ReadUnsigned(window, "width", settings.width);
  settings.height = ReadUnsigned(window, "height", settings.height);
  settings.fullscreenStretch = ReadBool(display, "fullscreenStretch", settings.fullscreenStretch);
  settings.fpsLimit = ReadUnsigned(display, "fpsLimit", settings.fpsLimit);
  settings.vsync = ReadBool(display, "vsync", settings.vsync);
  settings.captureMouse = ReadBool(display, "captureMouse", settings.captureMouse);
  settings.ambientLighting = ReadBool(display, "ambientLighting", settings.ambientLighting);
  settings.bodyAuras = ReadBool(display, "bodyAuras", settings.bodyAuras);
  settings.detailLevel = ReadDetailLevel(display);
  return settings;
}

Status ValidateDisplaySettings(const DisplaySettings& settings) {
  const std::pair resolution{settings.width, settings.height};
  if (std::find(kResolutions.begin(), kResolutions.end(), resolution) == kResolutions.end()) {
    return MakeStatus(StatusKind::Invalid, std::to_string(settings.width) + "x" + std::to_string(settings.height));
  }
  if (std::find(kFrameLimits.begin(), kFrameLimits.end(), settings.fpsLimit) == kFrameLimits.end()) {
    return MakeStatus(StatusKind::Invalid, "fps " + std::to_string(settings.fpsLimit));
  }
  if (settings.detailLevel < 0 || settings.detailLevel > 2) return MakeStatus(StatusKind::Invalid, "detail level");
  return OkStatus();
}

nlohmann::json MergeDisplaySettings(nlohmann::json document, const DisplaySettings& settings) {
  if (!document.is_object()) document = nlohmann::json::object();
  nlohmann::json& window = EnsureObject(document, "window");
  window["width"] = settings.width;
  window["height"] = settings.height;
  nlohmann::json& display = EnsureObject(document, "display");
  display["fullscreen"] = settings.mode == WindowMode::Fullscreen;
  display["borderless"] = settings.mode == WindowMode::Borderless;
  display["fullscreenStretch"] = settings.fullscreenStretch;
  display["fpsLimit"] = settings.fpsLimit;
  display["vsync"] = settings.vsync;
  display["captureMouse"] = settings.captureMouse;
  display["ambientLighting"] = settings.ambientLighting;
  display["bodyAuras"] = settings.bodyAuras;
  display["detailLevel"] = settings.detailLevel;
  return document;
}

}  // namespace dkl
