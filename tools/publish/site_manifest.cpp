#include "publish/site_manifest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "publish/posix_file.h"
#include "publishing/envelope.h"
#include "publishing/manifest_json.h"
#include "update/manifest_validation.h"

namespace dkl::publish {
namespace {

constexpr std::size_t kManifestReadLimit = 256u << 20;

std::string ManifestPath(const std::filesystem::path& site) { return (site / kManifestFileName).string(); }

}  // namespace

Status ReadManifestFile(const std::filesystem::path& site, bool& present, Bytes& envelope) {
  const std::string path = ManifestPath(site);
  struct stat info {};
  present = lstat(path.c_str(), &info) == 0;
  if (!present) return errno == ENOENT ? OkStatus() : ErrnoStatus(errno, "stat " + path);
  return ReadWholeFile(path, kManifestReadLimit, envelope);
}

Status ReadPublishedSerial(const std::filesystem::path& site, std::optional<std::uint64_t>& serial) {
  serial.reset();
  bool present = false;
  Bytes envelope;
  Status status = ReadManifestFile(site, present, envelope);
  if (!status.ok() || !present) return status;
  Bytes payload;
  Bytes signature;
  Manifest published;
  status = publishing::DecodeEnvelope(envelope, payload, signature);
  if (status.ok()) status = ParseManifest(payload, published);
  if (!status.ok()) {
    return MakeStatus(StatusKind::Manifest, "the site's " + std::string(kManifestFileName) +
                                                " holds no readable manifest (" + status.message + ")");
  }
  serial = published.serial;
  return OkStatus();
}

Status SignManifestForSite(const Manifest& manifest, const publishing::SigningKey& key, std::string& envelope) {
  Status status = ValidateManifest(manifest);
  if (!status.ok()) return MakeStatus(StatusKind::Manifest, "a launcher would refuse this manifest: " + status.message);
  envelope = publishing::MakeEnvelope(AsBytes(publishing::SerializeManifest(manifest)), key);
  if (envelope.size() > kLauncherManifestFetchLimit) {
    return MakeStatus(StatusKind::Manifest, "the signed manifest takes " + std::to_string(envelope.size()) +
                                                " bytes, more than the " + std::to_string(kLauncherManifestFetchLimit) +
                                                " a launcher downloads; publish fewer files or shorter paths, or index"
                                                " fewer of them (a higher --chunk-index-threshold)");
  }
  return OkStatus();
}

Status FlushSite(const std::filesystem::path& site) {
  const UniqueFd folder(open(site.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder.valid() || syncfs(folder.get()) != 0) return ErrnoStatus(errno, "flush " + site.string());
  return OkStatus();
}

Status WriteManifestFile(const std::filesystem::path& site, std::string_view envelope) {
  return WriteFileDurably(ManifestPath(site), AsBytes(envelope));
}

}  // namespace dkl::publish
