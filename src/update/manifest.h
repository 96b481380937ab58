// The server's statement of a complete installation, as the signed envelope carries it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "base/status.h"

namespace dkl {

// The chunk index of a file's content (update/chunk_index.h): an object on the site like any other,
// named by its SHA-256.
struct ChunkIndexRef {
  std::string sha256;
  std::uint64_t size = 0;

  bool operator==(const ChunkIndexRef&) const = default;
};

struct FileEntry {
  std::string path;    // manifest-relative, components separated by '/', case as written
  std::string sha256;  // 64 lowercase hex digits once validated
  std::uint64_t size = 0;
  std::optional<std::uint64_t> gz;  // compressed object length; absent: the object is stored plain
  // Absent: the file is only ever fetched whole. Present: the plain object is on the site too, so a
  // launcher may rebuild the file from local chunks and byte ranges of it.
  std::optional<ChunkIndexRef> chunk_index = std::nullopt;
};

struct LauncherEntry {
  std::string version;
  std::string sha256;
  std::uint64_t size = 0;
  std::optional<std::uint64_t> gz;
};

struct Manifest {
  // Kept at full width so that a schema beyond 32 bits is reported as itself, never truncated into 2.
  std::uint64_t schema = 0;
  std::uint64_t serial = 0;
  std::string client_version;
  std::uint64_t client_build = 0;
  std::string game_exe;
  std::optional<LauncherEntry> launcher;
  std::vector<FileEntry> files;
};

// Tests presence and JSON types only; the rules on values are ValidateManifest's. Kind manifest on
// failure, with the record's content unspecified.
Status ParseManifest(ByteView payload, Manifest& manifest);

}  // namespace dkl
