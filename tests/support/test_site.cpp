#include "support/test_site.h"

#include "base/bytes.h"
#include "publishing/manifest_json.h"
#include "publishing/signing.h"
#include "support/development_key.h"
#include "support/published_objects.h"
#include "support/temp_dir.h"
#include "update/object_names.h"

namespace dkl::testing {

void TestSite::Put(const std::string& path, const std::string& content, bool gz) { files_[path] = {content, gz}; }

void TestSite::Remove(const std::string& path) { files_.erase(path); }

void TestSite::PutLauncher(const std::string& version, const std::string& content) {
  launcher_ = std::make_pair(version, content);
}

const Manifest& TestSite::Publish(std::uint64_t serial, const std::string& client_version,
                                  const std::string& game_exe) {
  manifest_ = Manifest{};
  manifest_.schema = 2;
  manifest_.serial = serial;
  manifest_.client_version = client_version;
  manifest_.client_build = serial;
  manifest_.game_exe = game_exe;
  for (const auto& [path, file] : files_) manifest_.files.push_back(PublishObject(root_, path, file.content, file.gz));
  if (launcher_) {
    const FileEntry object = PublishObject(root_, "launcher", launcher_->second, false);
    manifest_.launcher = LauncherEntry{launcher_->first, object.sha256, object.size, std::nullopt};
  }
  publishing::SigningKey key;
  publishing::ParseSigningKeyHex(kDevelopmentSecretKeyHex, key);
  const std::string payload = publishing::SerializeManifest(manifest_);
  WriteFile(root_ / "manifest.json", publishing::MakeEnvelope(AsBytes(payload), key));
  return manifest_;
}

std::string TestSite::ObjectTarget(const std::string& path) const {
  for (const FileEntry& entry : manifest_.files) {
    if (entry.path == path) return ObjectUrl("", entry.sha256, entry.gz.has_value());
  }
  return {};
}

}  // namespace dkl::testing
