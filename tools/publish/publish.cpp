#include "publish/publish.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "publish/file_hash.h"
#include "publish/game_folder.h"
#include "publish/keys.h"
#include "publish/object_store.h"
#include "publish/parallel.h"
#include "publish/posix_file.h"
#include "publish/progress.h"
#include "publish/site_manifest.h"
#include "publishing/signing.h"
#include "update/manifest.h"

namespace dkl::publish {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kManifestSchema = 2;

// A file whose content goes onto the site: every game file, then the launcher when there is one.
struct Source {
  std::string path;
  std::uint64_t size = 0;
  FileDigest digest;
  bool indexed = false;  // gets a chunk index, built while it is hashed
  std::optional<ChunkIndexRef> index;
};

Status CheckSerial(const PublishOptions& options) {
  std::optional<std::uint64_t> published;
  Status status = ReadPublishedSerial(options.site, published);
  if (!status.ok() || !published || options.serial > *published) return status;
  if (options.serial == *published && options.allow_serial_reuse) return OkStatus();
  std::string message = "serial " + std::to_string(options.serial) + " is not newer than the published serial " +
                        std::to_string(*published);
  message += options.serial == *published
                 ? " (--allow-serial-reuse publishes under the same serial again)"
                 : "; launchers that have seen " + std::to_string(*published) + " refuse anything lower";
  return MakeStatus(StatusKind::Rollback, std::move(message));
}

// Publishing a site into the folder it is made from would list the site's own objects.
Status CheckSiteOutsideGame(const PublishOptions& options) {
  std::error_code error;
  const fs::path game = fs::weakly_canonical(options.game, error);
  const fs::path site = error ? fs::path() : fs::weakly_canonical(options.site, error);
  if (error) return MakeStatus(StatusKind::Io, "resolve the game and site folders: " + error.message());
  if (std::mismatch(game.begin(), game.end(), site.begin(), site.end()).first == game.end()) {
    return MakeStatus(StatusKind::Invalid, "--site must not lie inside --game");
  }
  return OkStatus();
}

Status CollectSources(const PublishOptions& options, std::vector<Source>& sources, std::vector<GameFile>& files) {
  Status status = ScanGameFolder(options.game, files);
  if (!status.ok()) return status;
  sources.reserve(files.size() + 1);
  for (const GameFile& file : files) {
    const bool indexed = options.chunk_index_threshold && file.size >= *options.chunk_index_threshold;
    sources.push_back({(options.game / file.path).string(), file.size, {}, indexed, {}});
  }
  if (!options.launcher) return OkStatus();
  const std::string launcher = options.launcher->file.string();
  struct stat info {};
  if (lstat(launcher.c_str(), &info) != 0) return ErrnoStatus(errno, "stat " + launcher);
  if (!S_ISREG(info.st_mode)) {
    return MakeStatus(StatusKind::Manifest, "--launcher " + launcher + " is not a regular file");
  }
  sources.push_back({launcher, static_cast<std::uint64_t>(info.st_size), {}, false, {}});
  return OkStatus();
}

// The manifest for the sources' digests and indexes; before hashing, placeholders stand in for every
// digest and for the index of every file that gets one, at the largest size an index may have, so
// that the first signing measures the manifest at its longest.
Manifest BuildManifest(const PublishOptions& options, const std::vector<GameFile>& files,
                       const std::vector<Source>& sources) {
  const auto digest_or_placeholder = [](const Source& source) {
    return source.digest.sha256.empty() ? std::string(64, '0') : source.digest.sha256;
  };
  Manifest manifest;
  manifest.schema = kManifestSchema;
  manifest.serial = options.serial;
  manifest.client_version = options.client_version;
  manifest.client_build = options.client_build;
  manifest.game_exe = options.game_exe;
  manifest.files.reserve(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    const Source& source = sources[i];
    std::optional<ChunkIndexRef> index = source.index;
    if (source.digest.sha256.empty() && source.indexed) index = ChunkIndexRef{std::string(64, '0'), kMaxChunkIndexBytes};
    manifest.files.push_back({files[i].path, digest_or_placeholder(source), source.size, {}, std::move(index)});
  }
  if (options.launcher) {
    const Source& launcher = sources.back();
    manifest.launcher = LauncherEntry{options.launcher->version, digest_or_placeholder(launcher), launcher.size, {}};
  }
  return manifest;
}

// Counts finished items from the worker threads for the once-a-second progress line.
struct Tally {
  std::atomic<std::size_t> items{0};
  std::atomic<std::uint64_t> bytes{0};

  void Add(std::uint64_t size) {
    bytes += size;
    ++items;
  }
  void Report(std::ostream& progress, const char* verb, std::size_t total, const char* noun) const {
    progress << verb << " " << items << "/" << total << " " << noun << ", " << FormatBytes(bytes) << std::endl;
  }
};

// An index goes onto the site as soon as it is built, so that only its name waits in memory; objects
// are harmless until a manifest names them.
Status HashAndIndexSource(const PublishOptions& options, Source& source) {
  if (!source.indexed) return HashFile(source.path, source.digest);
  ChunkIndex index;
  Status status = HashAndIndexFile(source.path, source.digest, index);
  if (!status.ok()) return status;
  if (index.chunks.size() > kMaxIndexedChunks) return OkStatus();  // reported once hashing is done
  ChunkIndexRef ref;
  status = StoreChunkIndex(options.site, index, ref);
  if (status.ok()) source.index = std::move(ref);
  return status;
}

Status HashSources(const PublishOptions& options, std::vector<Source>& sources, std::ostream& progress) {
  Tally tally;
  return RunInParallel(
      sources.size(),
      [&](std::size_t i) {
        Source& source = sources[i];
        Status status = HashAndIndexSource(options, source);
        if (status.ok() && source.digest.size != source.size) {
          status = MakeStatus(StatusKind::Io, source.path + " changed while it was published");
        }
        tally.Add(source.size);
        return status;
      },
      [&] { tally.Report(progress, "hashed", sources.size(), "files"); });
}

// Launchers refuse an index of more chunks than they hold in memory; such a file is fetched whole.
void ReportUnindexed(const std::vector<Source>& sources, std::ostream& progress) {
  for (const Source& source : sources) {
    if (source.indexed && !source.index) {
      progress << "no chunk index for " << source.path << ": more than " << kMaxIndexedChunks << " chunks" << std::endl;
    }
  }
}

// The first source of every distinct content.
std::vector<std::size_t> DistinctContents(const std::vector<Source>& sources) {
  std::unordered_map<std::string_view, std::size_t> seen;
  seen.reserve(sources.size());
  std::vector<std::size_t> distinct;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (seen.emplace(sources[i].digest.sha256, i).second) distinct.push_back(i);
  }
  return distinct;
}

Status StoreContents(const PublishOptions& options, const std::vector<Source>& sources,
                     const std::vector<std::size_t>& distinct, std::vector<StoredObject>& stored,
                     std::ostream& progress) {
  std::error_code error;
  fs::create_directories(options.site, error);
  if (error) return MakeStatus(StatusKind::Io, "create " + options.site.string() + ": " + error.message());
  stored.assign(distinct.size(), {});
  Tally tally;
  return RunInParallel(
      distinct.size(),
      [&](std::size_t k) {
        const Source& source = sources[distinct[k]];
        Status status = StoreObject(options.site, source.path, source.digest, stored[k]);
        tally.Add(source.size);
        return status;
      },
      [&] { tally.Report(progress, "stored", distinct.size(), "objects"); });
}

void ApplyCompression(const std::vector<Source>& sources, const std::vector<std::size_t>& distinct,
                      const std::vector<StoredObject>& stored, Manifest& manifest, PublishSummary& summary) {
  std::unordered_map<std::string_view, std::optional<std::uint64_t>> gz_by_content;
  for (std::size_t k = 0; k < distinct.size(); ++k) {
    const Source& source = sources[distinct[k]];
    gz_by_content.emplace(source.digest.sha256, stored[k].gz);
    summary.new_objects += stored[k].wrote_plain ? 1 : 0;
    summary.new_bytes += (stored[k].wrote_plain ? source.size : 0) + (stored[k].wrote_gz ? *stored[k].gz : 0);
    summary.gz_objects += stored[k].gz ? 1 : 0;
  }
  for (FileEntry& file : manifest.files) file.gz = gz_by_content.at(file.sha256);
  if (manifest.launcher) manifest.launcher->gz = gz_by_content.at(manifest.launcher->sha256);
}

// Each distinct index once, as the site stores it.
void CountIndexes(const Manifest& manifest, PublishSummary& summary) {
  std::unordered_map<std::string_view, std::uint64_t> indexes;
  for (const FileEntry& file : manifest.files) {
    if (file.chunk_index) indexes.emplace(file.chunk_index->sha256, file.chunk_index->size);
  }
  summary.chunk_indexes = indexes.size();
  for (const auto& [name, size] : indexes) summary.chunk_index_bytes += size;
}

}  // namespace

Status Publish(const PublishOptions& options, std::ostream& progress, PublishSummary& summary) {
  const auto start = std::chrono::steady_clock::now();
  summary = {};
  publishing::SigningKey key;
  Status status = ReadSigningKeyFile(options.key_file.string(), key);
  if (status.ok()) status = CheckSerial(options);
  if (status.ok()) status = CheckSiteOutsideGame(options);
  std::vector<GameFile> files;
  std::vector<Source> sources;
  if (status.ok()) status = CollectSources(options, sources, files);
  std::string envelope;
  // Refusing before hashing saves a long wait for a manifest that could never be published.
  if (status.ok()) status = SignManifestForSite(BuildManifest(options, files, sources), key, envelope);
  if (status.ok()) status = HashSources(options, sources, progress);
  if (status.ok()) ReportUnindexed(sources, progress);
  Manifest manifest;
  if (status.ok()) {
    manifest = BuildManifest(options, files, sources);
    status = SignManifestForSite(manifest, key, envelope);
  }
  if (!status.ok()) return status;

  const std::vector<std::size_t> distinct = DistinctContents(sources);
  std::vector<StoredObject> stored;
  status = StoreContents(options, sources, distinct, stored, progress);
  if (!status.ok()) return status;
  ApplyCompression(sources, distinct, stored, manifest, summary);
  // The gzip lengths lengthen the manifest; objects written so far are harmless without it.
  status = SignManifestForSite(manifest, key, envelope);
  if (status.ok()) status = FlushSite(options.site);
  if (status.ok()) status = WriteManifestFile(options.site, envelope);
  if (!status.ok()) return status;

  summary.files = files.size();
  summary.objects = distinct.size();
  summary.manifest_bytes = envelope.size();
  for (const GameFile& file : files) summary.bytes += file.size;
  CountIndexes(manifest, summary);
  summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return OkStatus();
}

}  // namespace dkl::publish
