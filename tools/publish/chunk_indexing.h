// Chunk indexes on a site (update/chunk_index.h): built from a file's content in the read that hashes
// it, stored as objects named by their own SHA-256, and checked against the plain object whose byte
// ranges launchers fetch.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/status.h"
#include "publish/file_hash.h"
#include "update/chunk_index.h"
#include "update/manifest.h"

namespace dkl::publish {

// Chosen by `./dev bench delta` (docs/differential-updates.md): 8 KiB chunks on average fetch about
// what rsync sends for the bench's patch, and with their index fewer bytes in all than 4 or 16 KiB.
inline constexpr ChunkParams kPublishedChunkParams{2048, 8192, 32768};
// Files from this size on get an index; below it a change rarely leaves much of a file as it was.
inline constexpr std::uint64_t kDefaultChunkIndexThreshold = 262144;

// Hashes the file at `path` and builds the chunk index of its content in the same read.
Status HashAndIndexFile(const std::string& path, FileDigest& digest, ChunkIndex& index);

// Stores `index` as an object of `site` unless the site has one of its name and size already; `ref`
// then names it. Kind corrupt when an object of that name has another size.
Status StoreChunkIndex(const std::filesystem::path& site, const ChunkIndex& index, ChunkIndexRef& ref);

// The index named by `ref` against the content it describes: the index object's size, SHA-256 and
// form, the plain object's size and SHA-256, and the index the plain object yields when chunked
// anew with the index's parameters, byte for byte. Kind corrupt with a reason naming the object that
// fails; kind io when a file cannot be read.
Status CheckChunkIndex(const std::filesystem::path& site, const ChunkIndexRef& ref, const FileDigest& content);

}  // namespace dkl::publish
