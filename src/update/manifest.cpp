#include "update/manifest.h"

#include <nlohmann/json.hpp>

namespace dkl {
namespace {

using Json = nlohmann::json;

Status Refuse(std::string message) { return MakeStatus(StatusKind::Manifest, std::move(message)); }

// Null stands for absent, so an optional member may be written as null and a required one may not.
const Json* Member(const Json& object, const char* key) {
  const auto found = object.find(key);
  if (found == object.end() || found->is_null()) return nullptr;
  return &*found;
}

bool ReadString(const Json& object, const char* key, std::string& out) {
  const Json* member = Member(object, key);
  if (!member || !member->is_string()) return false;
  out = member->get<std::string>();
  return true;
}

// Only a number written without sign, fraction or exponent counts: "1.0", "-0" and "1e3" do not.
bool ReadUnsigned(const Json& object, const char* key, std::uint64_t& out) {
  const Json* member = Member(object, key);
  if (!member || !member->is_number_unsigned()) return false;
  out = member->get<std::uint64_t>();
  return true;
}

// False only for a member that is there, not null and not a non-negative integer.
bool ReadOptionalUnsigned(const Json& object, const char* key, std::optional<std::uint64_t>& out) {
  const Json* member = Member(object, key);
  if (!member) return true;
  if (!member->is_number_unsigned()) return false;
  out = member->get<std::uint64_t>();
  return true;
}

// False only for a "chunk_index" that is there, not null and not an object with a string "sha256" and
// a non-negative integer "size"; members it does not list are ignored, as everywhere.
bool ReadOptionalChunkIndex(const Json& entry, std::optional<ChunkIndexRef>& out) {
  const Json* member = Member(entry, "chunk_index");
  if (!member) return true;
  ChunkIndexRef index;
  if (!member->is_object() || !ReadString(*member, "sha256", index.sha256) || !ReadUnsigned(*member, "size", index.size)) {
    return false;
  }
  out = std::move(index);
  return true;
}

// The trio every downloadable entry carries: its name, its hash and its content length.
bool ReadEntryCore(const Json& entry, const char* name_key, std::string& name, std::string& sha256,
                   std::uint64_t& size) {
  return entry.is_object() && ReadString(entry, name_key, name) && ReadString(entry, "sha256", sha256) &&
         ReadUnsigned(entry, "size", size);
}

Status ReadHeader(const Json& document, Manifest& manifest) {
  if (!ReadUnsigned(document, "schema", manifest.schema) || !ReadUnsigned(document, "serial", manifest.serial) ||
      !ReadString(document, "game_exe", manifest.game_exe)) {
    return Refuse("schema, serial or game_exe");
  }
  return OkStatus();
}

Status ReadClient(const Json& document, Manifest& manifest) {
  const Json* client = Member(document, "client");
  if (!client || !client->is_object() || !ReadString(*client, "version", manifest.client_version)) {
    return Refuse("client");
  }
  std::optional<std::uint64_t> build;
  if (!ReadOptionalUnsigned(*client, "build", build)) return Refuse("client");
  manifest.client_build = build.value_or(0);
  return OkStatus();
}

Status ReadLauncher(const Json& document, Manifest& manifest) {
  const Json* member = Member(document, "launcher");
  if (!member) return OkStatus();
  LauncherEntry launcher;
  if (!ReadEntryCore(*member, "version", launcher.version, launcher.sha256, launcher.size)) {
    return Refuse("launcher");
  }
  if (!ReadOptionalUnsigned(*member, "gz", launcher.gz)) return Refuse("launcher gz");
  manifest.launcher = std::move(launcher);
  return OkStatus();
}

Status ReadFiles(const Json& document, Manifest& manifest) {
  const Json* files = Member(document, "files");
  if (!files || !files->is_array()) return Refuse("files");
  manifest.files.reserve(files->size());
  for (const Json& element : *files) {
    FileEntry file;
    if (!ReadEntryCore(element, "path", file.path, file.sha256, file.size)) return Refuse("file entry");
    if (!ReadOptionalUnsigned(element, "gz", file.gz)) return Refuse("file gz: " + file.path);
    if (!ReadOptionalChunkIndex(element, file.chunk_index)) return Refuse("file chunk_index: " + file.path);
    manifest.files.push_back(std::move(file));
  }
  return OkStatus();
}

}  // namespace

Status ParseManifest(ByteView payload, Manifest& manifest) {
  constexpr bool kAllowExceptions = false;
  constexpr bool kIgnoreComments = false;
  const Json document = Json::parse(payload.begin(), payload.end(), nullptr, kAllowExceptions, kIgnoreComments);
  if (document.is_discarded() || !document.is_object()) return Refuse("not a JSON object");

  if (Status status = ReadHeader(document, manifest); !status.ok()) return status;
  if (Status status = ReadClient(document, manifest); !status.ok()) return status;
  if (Status status = ReadLauncher(document, manifest); !status.ok()) return status;
  return ReadFiles(document, manifest);
}

}  // namespace dkl
