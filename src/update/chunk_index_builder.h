// Chunking a stream and hashing each chunk: how the publisher writes an index and how a launcher
// learns which chunks a local file already holds.
#pragma once

#include "base/bytes.h"
#include "update/chunk_index.h"
#include "update/chunker.h"
#include "update/sha256.h"

namespace dkl {

class ChunkIndexBuilder {
 public:
  explicit ChunkIndexBuilder(const ChunkParams& params);  // params must be valid

  // The stream's next bytes, in pieces of any size.
  void Feed(ByteView data);

  // The index of everything fed; the builder then starts over.
  ChunkIndex Finish();

 private:
  void EndChunk();

  ChunkParams params_;
  ChunkCutter cutter_;
  Sha256 sha_;
  std::uint32_t length_ = 0;
  ChunkIndex index_;
};

}  // namespace dkl
