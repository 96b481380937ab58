#include "publish/verify.h"

#include <atomic>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "publish/chunk_indexing.h"
#include "publish/object_check.h"
#include "publish/parallel.h"
#include "publish/progress.h"
#include "publish/site_manifest.h"
#include "publishing/object_names.h"
#include "update/manifest.h"

namespace dkl::publish {
namespace {

constexpr std::size_t kUsersNamed = 3;

// One object a launcher downloads, or a chunk index with the plain object it describes, and every
// manifest path that needs it.
struct SiteObject {
  FileDigest content;
  std::optional<std::uint64_t> gz;
  std::optional<ChunkIndexRef> index;
  std::vector<std::string> users;
  Status result;
};

// Each index once per content it describes.
void AddChunkIndexes(const Manifest& manifest, std::vector<SiteObject>& objects) {
  std::map<std::pair<std::string, std::string>, std::size_t> index;
  for (const FileEntry& file : manifest.files) {
    if (!file.chunk_index) continue;
    const auto [where, added] = index.emplace(std::make_pair(file.chunk_index->sha256, file.sha256), objects.size());
    if (added) objects.push_back({{file.sha256, file.size}, std::nullopt, file.chunk_index, {}, {}});
    objects[where->second].users.push_back(file.path);
  }
}

std::vector<SiteObject> ObjectsOf(const Manifest& manifest) {
  std::map<std::pair<std::string, std::optional<std::uint64_t>>, std::size_t> index;
  std::vector<SiteObject> objects;
  const auto add = [&](const std::string& user, const std::string& sha256, std::uint64_t size,
                       const std::optional<std::uint64_t>& gz) {
    const auto [where, added] = index.emplace(std::make_pair(sha256, gz), objects.size());
    if (added) objects.push_back({{sha256, size}, gz, std::nullopt, {}, {}});
    objects[where->second].users.push_back(user);
  };
  for (const FileEntry& file : manifest.files) add(file.path, file.sha256, file.size, file.gz);
  if (manifest.launcher) add("launcher", manifest.launcher->sha256, manifest.launcher->size, manifest.launcher->gz);
  AddChunkIndexes(manifest, objects);
  return objects;
}

std::string DescribeFailure(const SiteObject& object) {
  std::string line = object.index ? object.result.message + " (chunk index of "
                                  : publishing::ObjectPath(object.content.sha256, object.gz.has_value()) + ": " +
                                        object.result.message + " (used by ";
  for (std::size_t i = 0; i < object.users.size() && i < kUsersNamed; ++i) {
    line += (i == 0 ? "" : ", ") + object.users[i];
  }
  if (object.users.size() > kUsersNamed) line += " and " + std::to_string(object.users.size() - kUsersNamed) + " more";
  return line + ")";
}

Status ReportFailures(const std::vector<SiteObject>& objects) {
  std::string lines;
  std::size_t failures = 0;
  bool damaged = false;
  for (const SiteObject& object : objects) {
    if (object.result.ok()) continue;
    ++failures;
    damaged = damaged || object.result.kind == StatusKind::Corrupt;
    lines += "\n  " + DescribeFailure(object);
  }
  if (failures == 0) return OkStatus();
  const std::string heading = std::to_string(failures) + " of " + std::to_string(objects.size()) +
                              (damaged ? " objects are missing or damaged:" : " objects cannot be read:");
  return MakeStatus(damaged ? StatusKind::Corrupt : StatusKind::Io, heading + lines);
}

Status OpenSiteManifest(const std::filesystem::path& site, const publishing::PublicKey& key, Manifest& manifest) {
  bool present = false;
  Bytes envelope;
  Status status = ReadManifestFile(site, present, envelope);
  if (!status.ok()) return status;
  const std::string name(kManifestFileName);
  if (!present) return MakeStatus(StatusKind::Corrupt, "the site has no " + name);
  if (envelope.size() > kLauncherManifestFetchLimit) {
    return MakeStatus(StatusKind::Manifest, name + " takes " + std::to_string(envelope.size()) +
                                                " bytes; a launcher refuses more than " +
                                                std::to_string(kLauncherManifestFetchLimit));
  }
  status = publishing::OpenEnvelopeWithKey(envelope, key, manifest);
  if (!status.ok()) status.message = name + ": " + (status.message.empty() ? "refused" : status.message);
  return status;
}

}  // namespace

Status VerifySite(const std::filesystem::path& site, const publishing::PublicKey& key, std::ostream& progress,
                  VerifySummary& summary) {
  const auto start = std::chrono::steady_clock::now();
  summary = {};
  Manifest manifest;
  Status status = OpenSiteManifest(site, key, manifest);
  if (!status.ok()) return status;
  std::vector<SiteObject> objects = ObjectsOf(manifest);
  std::atomic<std::size_t> checked{0};
  std::atomic<std::uint64_t> bytes{0};
  status = RunInParallel(
      objects.size(),
      [&](std::size_t i) {
        SiteObject& object = objects[i];
        if (object.index) {
          object.result = CheckChunkIndex(site, *object.index, object.content);
          bytes += object.index->size + object.content.size;
        } else {
          const std::string path =
              (site / publishing::ObjectPath(object.content.sha256, object.gz.has_value())).string();
          object.result = CheckObjectFile(path, object.content, object.gz);
          bytes += object.gz.value_or(object.content.size);
        }
        ++checked;
        return OkStatus();  // every object is checked, so that all damage is reported at once
      },
      [&] {
        progress << "checked " << checked << "/" << objects.size() << " objects, " << FormatBytes(bytes) << std::endl;
      });
  if (status.ok()) status = ReportFailures(objects);
  summary.serial = manifest.serial;
  summary.files = manifest.files.size();
  summary.objects = objects.size();
  summary.object_bytes = bytes;
  summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return status;
}

}  // namespace dkl::publish
