#include "publishing/manifest_json.h"

#include <nlohmann/json.hpp>

#include "base/json_object.h"

namespace dkl::publishing {
namespace {

nlohmann::json ObjectMembers(const std::string& sha256, std::uint64_t size, const std::optional<std::uint64_t>& gz) {
  nlohmann::json members = nlohmann::json::object();
  members["sha256"] = sha256;
  members["size"] = size;
  if (gz) members["gz"] = *gz;
  return members;
}

}  // namespace

std::string SerializeManifest(const Manifest& manifest) {
  nlohmann::json files = nlohmann::json::array();
  files.get_ref<nlohmann::json::array_t&>().reserve(manifest.files.size());
  for (const FileEntry& file : manifest.files) {
    nlohmann::json entry = ObjectMembers(file.sha256, file.size, file.gz);
    entry["path"] = file.path;
    if (file.chunk_index) entry["chunk_index"] = {{"sha256", file.chunk_index->sha256}, {"size", file.chunk_index->size}};
    files.push_back(std::move(entry));
  }
  nlohmann::json document = nlohmann::json::object();
  document["schema"] = manifest.schema;
  document["serial"] = manifest.serial;
  document["client"] = {{"version", manifest.client_version}, {"build", manifest.client_build}};
  document["game_exe"] = manifest.game_exe;
  if (manifest.launcher) {
    const LauncherEntry& launcher = *manifest.launcher;
    document["launcher"] = ObjectMembers(launcher.sha256, launcher.size, launcher.gz);
    document["launcher"]["version"] = launcher.version;
  }
  document["files"] = std::move(files);
  return DumpJson(document, -1);
}

}  // namespace dkl::publishing
