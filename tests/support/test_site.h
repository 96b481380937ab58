// An update site written by the test itself, the way the publisher writes one: objects under their
// hashes and "manifest.json" signed with the development key.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "update/manifest.h"

namespace dkl::testing {

class TestSite {
 public:
  explicit TestSite(std::filesystem::path root) : root_(std::move(root)) {}

  // Adds or replaces a game file; `gz` stores its object compressed.
  void Put(const std::string& path, const std::string& content, bool gz = false);
  void Remove(const std::string& path);
  // Publishes `content` as the launcher executable of version `version`.
  void PutLauncher(const std::string& version, const std::string& content);

  // Writes every object and the signed manifest; returns the manifest as published.
  const Manifest& Publish(std::uint64_t serial, const std::string& client_version = "1.0.0",
                          const std::string& game_exe = "bin/Game.exe");

  const Manifest& manifest() const { return manifest_; }
  const std::filesystem::path& root() const { return root_; }
  // The object's request target on this site ("/objects/ab/<sha256>[.gz]").
  std::string ObjectTarget(const std::string& path) const;

 private:
  struct File {
    std::string content;
    bool gz = false;
  };

  std::filesystem::path root_;
  std::map<std::string, File> files_;
  std::optional<std::pair<std::string, std::string>> launcher_;  // version, content
  Manifest manifest_;
};

}  // namespace dkl::testing
