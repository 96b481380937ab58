#include "core/launcher_settings.h"

#include "base/json_object.h"

namespace dkl {
namespace {

const nlohmann::json* Member(const nlohmann::json& document, const char* key) {
  const auto found = document.find(key);
  return found == document.end() ? nullptr : &*found;
}

}  // namespace

LauncherSettings SettingsFromJson(const nlohmann::json& document) {
  LauncherSettings settings;
  if (!document.is_object()) return settings;

  if (const auto* game_dir = Member(document, "game_dir"); game_dir && game_dir->is_string()) {
    const auto& text = game_dir->get_ref<const std::string&>();
    if (!text.empty()) settings.game_dir = text;
  }
  if (const auto* lang = Member(document, "lang"); lang && lang->is_string()) {
    const auto& text = lang->get_ref<const std::string&>();
    if (text == "es" || text == "en") settings.lang = text;
  }
  if (const auto* serial = Member(document, "max_serial"); serial && serial->is_number_unsigned()) {
    settings.max_serial = serial->get<std::uint64_t>();
  }
  if (const auto* notice = Member(document, "gpu_notice_dismissed"); notice && notice->is_string()) {
    settings.gpu_notice_dismissed = notice->get<std::string>();
  }
  return settings;
}

std::string SerializeSettings(const LauncherSettings& settings) {
  nlohmann::json document = nlohmann::json::object();
  document["game_dir"] = settings.game_dir ? nlohmann::json(*settings.game_dir) : nlohmann::json(nullptr);
  document["lang"] = settings.lang;
  document["max_serial"] = settings.max_serial;
  if (!settings.gpu_notice_dismissed.empty()) document["gpu_notice_dismissed"] = settings.gpu_notice_dismissed;
  return DumpJson(document, 2);
}

}  // namespace dkl
