// Publishing a game folder to an update site: objects first, the signed manifest last.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "base/status.h"
#include "publish/chunk_indexing.h"

namespace dkl::publish {

struct LauncherSource {
  std::filesystem::path file;
  std::string version;
};

struct PublishOptions {
  std::filesystem::path game;
  std::filesystem::path site;
  std::filesystem::path key_file;
  std::uint64_t serial = 0;
  std::string client_version;
  std::uint64_t client_build = 0;
  std::string game_exe;
  std::optional<LauncherSource> launcher;
  bool allow_serial_reuse = false;  // lets a serial equal to the published one through
  // Game files of at least this many bytes get a chunk index (publish/chunk_indexing.h); none without.
  std::optional<std::uint64_t> chunk_index_threshold = kDefaultChunkIndexThreshold;
};

struct PublishSummary {
  std::size_t files = 0;
  std::size_t objects = 0;      // distinct contents, the launcher's included
  std::size_t new_objects = 0;  // plain objects written by this run
  std::size_t gz_objects = 0;   // contents served compressed
  std::size_t chunk_indexes = 0;
  std::uint64_t chunk_index_bytes = 0;
  std::uint64_t bytes = 0;      // content of all listed files
  std::uint64_t new_bytes = 0;  // written by this run, plain and compressed
  std::uint64_t manifest_bytes = 0;
  double seconds = 0;
};

// Refuses, before writing anything, what a launcher would refuse: kind manifest for names and
// manifests it cannot accept, kind rollback for a serial that is not newer than the published one,
// kind signature for a bad key file. Kind corrupt when an object already on the site does not fit
// its content; kind io, denied or disk_full for I/O. Progress lines go to `progress`.
Status Publish(const PublishOptions& options, std::ostream& progress, PublishSummary& summary);

}  // namespace dkl::publish
