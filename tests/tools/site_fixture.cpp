#include "tools/site_fixture.h"

#include <sodium.h>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>

#include "base/json_object.h"
#include "publishing/object_names.h"
#include "publishing/signing.h"
#include "support/development_key.h"
#include "update/base64.h"
#include "update/manifest_validation.h"

namespace dkl::testing {

std::string Sha256Hex(std::string_view content) {
  std::array<std::uint8_t, crypto_hash_sha256_BYTES> digest{};
  crypto_hash_sha256(digest.data(), reinterpret_cast<const unsigned char*>(content.data()), content.size());
  return publishing::ToHex(digest);
}

std::string Incompressible(std::size_t size) {
  std::mt19937 random(static_cast<std::uint32_t>(size));
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

SiteFixture::SiteFixture() {
  WriteFile(key_file(), std::string(kDevelopmentSecretKeyHex) + "\n");
  std::filesystem::create_directories(game());
}

publish::PublishOptions SiteFixture::Options(std::uint64_t serial) const {
  publish::PublishOptions options;
  options.game = game();
  options.site = site();
  options.key_file = key_file();
  options.serial = serial;
  options.client_version = "1.4.2";
  options.client_build = 1402;
  options.game_exe = "game.exe";
  return options;
}

Status SiteFixture::Publish(const publish::PublishOptions& options, publish::PublishSummary* summary) const {
  publish::PublishSummary ignored;
  std::ostringstream progress;
  return publish::Publish(options, progress, summary ? *summary : ignored);
}

Status SiteFixture::OpenPublished(Manifest& manifest) const {
  const std::string body = ReadFile(site() / "manifest.json");
  const nlohmann::json envelope = ParseJsonObject(AsBytes(body));
  if (!envelope.value("payload", nlohmann::json()).is_string() ||
      !envelope.value("signature", nlohmann::json()).is_string()) {
    return MakeStatus(StatusKind::Signature, "envelope");
  }
  const Bytes payload = DecodeBase64(envelope["payload"].get<std::string>());
  Bytes signed_message = DecodeBase64(envelope["signature"].get<std::string>());
  if (signed_message.size() != crypto_sign_BYTES) return MakeStatus(StatusKind::Signature, "signature size");
  signed_message.insert(signed_message.end(), payload.begin(), payload.end());
  std::array<std::uint8_t, 32> key{};
  publishing::ParsePublicKeyHex(kDevelopmentPublicKeyHex, key);
  Bytes opened(signed_message.size());
  unsigned long long opened_size = 0;
  if (crypto_sign_open(opened.data(), &opened_size, signed_message.data(), signed_message.size(), key.data()) != 0 ||
      opened_size != payload.size()) {
    return MakeStatus(StatusKind::Signature, "does not verify");
  }
  Status status = ParseManifest(payload, manifest);
  return status.ok() ? ValidateManifest(manifest) : status;
}

std::vector<std::string> SiteFixture::SiteFiles() const {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(site())) {
    if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(site()).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::filesystem::path SiteFixture::ObjectFile(std::string_view sha256, bool gz) const {
  return site() / publishing::ObjectPath(sha256, gz);
}

}  // namespace dkl::testing
