#include "update/install_state.h"

#include "base/json_object.h"

namespace dkl {
namespace {

constexpr std::uint64_t kTicksFrom1601To1970 = 116444736000000000;

std::uint64_t UnsignedOr(const nlohmann::json& object, const char* key, std::uint64_t fallback) {
  const auto found = object.find(key);
  return found != object.end() && found->is_number_unsigned() ? found->get<std::uint64_t>() : fallback;
}

std::string StringOr(const nlohmann::json& object, const char* key) {
  const auto found = object.find(key);
  return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

nlohmann::json TextOrNull(const std::string& text) { return text.empty() ? nlohmann::json(nullptr) : nlohmann::json(text); }

}  // namespace

std::uint64_t MtimeFromFileTime(std::uint64_t ticks) {
  return ticks > kTicksFrom1601To1970 ? (ticks - kTicksFrom1601To1970) * 100 : 0;
}

InstallState InstallStateFromJson(const nlohmann::json& document) {
  InstallState state;
  if (!document.is_object()) return state;
  state.serial = UnsignedOr(document, "serial", 0);
  state.client_version = StringOr(document, "client_version");
  state.game_exe = StringOr(document, "game_exe");
  const auto unfinished = document.find("update_unfinished");
  state.update_unfinished = unfinished != document.end() && unfinished->is_boolean() && unfinished->get<bool>();
  const auto files = document.find("files");
  if (files == document.end() || !files->is_object()) return state;
  state.files.reserve(files->size());
  for (const auto& [path, value] : files->items()) {
    if (!value.is_object()) continue;
    state.files[path] = Known{UnsignedOr(value, "size", 0), UnsignedOr(value, "mtime", 0), StringOr(value, "sha256")};
  }
  return state;
}

std::string SerializeInstallState(const InstallState& state) {
  nlohmann::json files = nlohmann::json::object();
  for (const auto& [path, known] : state.files) {
    files[path] = {{"mtime", known.mtime}, {"sha256", known.sha256}, {"size", known.size}};
  }
  const nlohmann::json document = {{"client_version", TextOrNull(state.client_version)},
                                   {"files", std::move(files)},
                                   {"game_exe", TextOrNull(state.game_exe)},
                                   {"serial", state.serial},
                                   {"update_unfinished", state.update_unfinished}};
  return DumpJson(document, -1);
}

}  // namespace dkl
