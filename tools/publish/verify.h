// Checking an update site the way a launcher will read it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>

#include "base/status.h"
#include "publishing/envelope.h"

namespace dkl::publish {

struct VerifySummary {
  std::uint64_t serial = 0;
  std::size_t files = 0;
  std::size_t objects = 0;  // what a launcher would download: one per distinct content and form, and
                            // one per chunk index with the plain object it describes
  std::uint64_t object_bytes = 0;
  double seconds = 0;
};

// The envelope, its signature under `key`, ParseManifest and ValidateManifest, then every object a
// launcher would download, by size and SHA-256 (gzip objects after inflating them), and every chunk
// index against the plain object it describes (CheckChunkIndex). Kind signature
// or manifest for the manifest; kind corrupt listing every damaged or missing object with the
// manifest paths that use it; kind io when something cannot be read.
Status VerifySite(const std::filesystem::path& site, const publishing::PublicKey& key, std::ostream& progress,
                  VerifySummary& summary);

}  // namespace dkl::publish
