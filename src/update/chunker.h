// Content-defined chunk boundaries: a cut depends only on the 64 bytes before it and on the distance
// from the previous cut, so the same content is cut at the same places wherever it lies in a file
// and an insertion or a deletion disturbs only the chunks around it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/bytes.h"

namespace dkl {

struct ChunkParams {
  std::uint32_t min_size = 0;
  std::uint32_t avg_size = 0;  // a power of two: the cut rule tests bits of a hash
  std::uint32_t max_size = 0;

  bool operator==(const ChunkParams&) const = default;
};

// The limits every reader of chunk parameters holds them to: a chunk is buffered whole before it is
// proved, so the largest stays small; the rolling window needs 64 bytes before the smallest cut.
inline constexpr std::uint32_t kMinChunkMinSize = 256;
inline constexpr std::uint32_t kMaxChunkMaxSize = 1048576;

// min_size >= 256, avg_size a power of two with min_size < avg_size < max_size <= 1 MiB.
bool AreValidChunkParams(const ChunkParams& params);

// Finds the cut points of one stream fed to it in pieces of any size. The rule (FastCDC-style, with
// normalised chunk sizes): a 64-bit gear hash, h = (h << 1) + gear[byte], rolls over the chunk from
// 64 bytes before min_size; from min_size up to avg_size a cut falls where the hash's top log2(avg)+2
// bits are zero, above avg_size where its top log2(avg)-2 bits are, and at max_size in any case.
// Changing the rule or the gear table changes every published index: they are fixed by the index
// format's version.
class ChunkCutter {
 public:
  explicit ChunkCutter(const ChunkParams& params);  // params must be valid

  // How many leading bytes of `data` complete the current chunk; nothing when the chunk goes on past
  // all of them. After a cut the next byte starts a new chunk.
  std::optional<std::size_t> FindCut(ByteView data);

  // Bytes of the current chunk seen so far (0 right after a cut).
  std::uint32_t pending() const { return length_; }

 private:
  std::uint32_t min_size_;
  std::uint32_t avg_size_;
  std::uint32_t max_size_;
  std::uint64_t strict_mask_;
  std::uint64_t loose_mask_;
  std::uint64_t hash_ = 0;
  std::uint32_t length_ = 0;
};

}  // namespace dkl
