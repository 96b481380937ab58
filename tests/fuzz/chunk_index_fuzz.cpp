// A chunk index as a mirror serves it, before its SHA-256 is checked against the manifest.
#include "fuzz/fuzz_target.h"
#include "update/chunk_index.h"

namespace dkl::fuzz {
namespace {

void ParseIndex(ByteView input) {
  ChunkIndex index;
  if (!ParseChunkIndex(input, index).ok()) return;
  // What the parser accepts is exactly what the publisher writes for it, and holds every limit the
  // launcher plans with.
  FUZZ_CHECK(SerializeChunkIndex(index) == Bytes(input.begin(), input.end()));
  FUZZ_CHECK(AreValidChunkParams(index.params));
  FUZZ_CHECK(index.chunks.size() <= kMaxIndexedChunks);
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < index.chunks.size(); ++i) {
    const std::uint32_t length = index.chunks[i].length;
    FUZZ_CHECK(length > 0 && length <= index.params.max_size);
    FUZZ_CHECK(i + 1 == index.chunks.size() || length >= index.params.min_size);
    total += length;
  }
  FUZZ_CHECK(total == index.file_size);
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("chunk_index", dkl::fuzz::ParseIndex)
