// A game folder, a site folder and the development key in a fresh temporary folder, with the
// means to publish and to open the result the way a launcher does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "publish/publish.h"
#include "support/temp_dir.h"
#include "update/manifest.h"

namespace dkl::testing {

// SHA-256 as lowercase hex, computed here independently of the publisher's own streaming.
std::string Sha256Hex(std::string_view content);

// Bytes no compressor can shrink, the same on every run.
std::string Incompressible(std::size_t size);

class SiteFixture : public ::testing::Test {
 protected:
  SiteFixture();

  std::filesystem::path game() const { return temp_ / "game"; }
  std::filesystem::path site() const { return temp_ / "site"; }
  std::filesystem::path key_file() const { return temp_ / "dev.secret"; }

  void AddGameFile(const std::string& path, std::string_view content) const { WriteFile(game() / path, content); }

  // Publishes game() to site() as serial `serial`, "game.exe" being the game executable.
  publish::PublishOptions Options(std::uint64_t serial = 1) const;
  Status Publish(const publish::PublishOptions& options, publish::PublishSummary* summary = nullptr) const;

  // The site's manifest.json opened as a launcher opens it: Base64, Ed25519 in combined form under
  // the development public key, ParseManifest, ValidateManifest.
  Status OpenPublished(Manifest& manifest) const;

  // Every file under the site, relative, sorted.
  std::vector<std::string> SiteFiles() const;

  std::filesystem::path ObjectFile(std::string_view sha256, bool gz) const;

  TempDir temp_;
};

}  // namespace dkl::testing
