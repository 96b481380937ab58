// The chunk index of a file's content: the chunking parameters, then every content-defined chunk in
// order with its length and SHA-256. A launcher that has an older version of the file rebuilds the
// new one from the chunks it already holds and fetches only the others, as byte ranges of the plain
// object.
//
// Format, all integers little-endian:
//   header (36 bytes): "DKCHUNKS", format version (u32, 1), min, avg and max chunk size (u32 each),
//                      file size (u64), chunk count (u32)
//   then per chunk (36 bytes): length (u32), SHA-256 (32 bytes)
#pragma once

#include <cstdint>
#include <vector>

#include "base/bytes.h"
#include "base/status.h"
#include "update/chunker.h"
#include "update/sha256.h"

namespace dkl {

inline constexpr std::uint32_t kChunkIndexVersion = 1;
inline constexpr std::size_t kChunkIndexHeaderBytes = 36;
inline constexpr std::size_t kChunkIndexEntryBytes = 36;
// 2^19 chunks is a 4 GiB file at 8 KiB a chunk; the index then takes 18 MiB, which a launcher holds
// in memory while it rebuilds the file.
inline constexpr std::uint32_t kMaxIndexedChunks = 524288;
inline constexpr std::uint64_t kMaxChunkIndexBytes =
    kChunkIndexHeaderBytes + std::uint64_t{kChunkIndexEntryBytes} * kMaxIndexedChunks;

struct ChunkRecord {
  std::uint32_t length = 0;
  Sha256Digest sha256{};

  bool operator==(const ChunkRecord&) const = default;
};

struct ChunkIndex {
  ChunkParams params;
  std::uint64_t file_size = 0;
  std::vector<ChunkRecord> chunks;

  bool operator==(const ChunkIndex&) const = default;
};

// The bytes of `index` as they stand, unchecked, so that tests can also write indexes a parser refuses.
Bytes SerializeChunkIndex(const ChunkIndex& index);

// A pure function of `bytes`: kind corrupt naming the first broken rule, or the index, which then has
// valid parameters, at most kMaxIndexedChunks chunks, lengths that add up to a file size of at most
// 4 GiB, every chunk between 1 and max_size bytes and every one but the last at least min_size.
Status ParseChunkIndex(ByteView bytes, ChunkIndex& index);

}  // namespace dkl
