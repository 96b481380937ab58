#include "update/chunker.h"

#include <algorithm>
#include <array>
#include <bit>

namespace dkl {
namespace {

constexpr std::uint32_t kWindowBytes = 64;  // the bits of a 64-bit gear hash come from its last 64 bytes

// splitmix64 from a fixed seed: the table is part of the index format, so it is written out by rule
// rather than drawn at run time.
constexpr std::array<std::uint64_t, 256> MakeGearTable() {
  std::array<std::uint64_t, 256> table{};
  std::uint64_t state = 0x6475736b63726f77;  // "duskcrow"
  for (std::uint64_t& entry : table) {
    state += 0x9e3779b97f4a7c15;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    entry = z ^ (z >> 31);
  }
  return table;
}

constexpr std::array<std::uint64_t, 256> kGear = MakeGearTable();

// The top `bits` bits: the low bits of a gear hash depend on only the last few bytes.
constexpr std::uint64_t TopBits(int bits) { return bits <= 0 ? 0 : ~std::uint64_t{0} << (64 - bits); }

}  // namespace

bool AreValidChunkParams(const ChunkParams& params) {
  return params.min_size >= kMinChunkMinSize && std::has_single_bit(params.avg_size) &&
         params.min_size < params.avg_size && params.avg_size < params.max_size &&
         params.max_size <= kMaxChunkMaxSize;
}

ChunkCutter::ChunkCutter(const ChunkParams& params)
    : min_size_(params.min_size),
      avg_size_(params.avg_size),
      max_size_(params.max_size),
      strict_mask_(TopBits(std::countr_zero(params.avg_size) + 2)),
      loose_mask_(TopBits(std::countr_zero(params.avg_size) - 2)) {}

std::optional<std::size_t> ChunkCutter::FindCut(ByteView data) {
  const std::uint8_t* const bytes = data.data();
  const std::size_t size = data.size();
  std::size_t i = 0;
  std::uint64_t hash = hash_;
  std::uint32_t length = length_;
  // Up to the window before min_size no cut can fall and no byte can reach the hash at min_size.
  const std::uint32_t window_start = min_size_ - kWindowBytes;
  if (length < window_start) {
    const std::size_t skip = std::min<std::size_t>(size, window_start - length);
    i += skip;
    length += static_cast<std::uint32_t>(skip);
  }
  // The rest of the window, up to one byte short of the smallest chunk.
  for (std::size_t end = i + std::min<std::size_t>(size - i, length < min_size_ - 1 ? min_size_ - 1 - length : 0);
       i < end; ++i, ++length) {
    hash = (hash << 1) + kGear[bytes[i]];
  }
  const auto scan = [&](std::uint32_t limit, std::uint64_t mask) {
    for (std::size_t end = i + std::min<std::size_t>(size - i, length < limit ? limit - length : 0); i < end;) {
      hash = (hash << 1) + kGear[bytes[i]];
      ++i;
      ++length;
      if ((hash & mask) == 0) return true;
    }
    return false;
  };
  const bool cut = scan(avg_size_, strict_mask_) || scan(max_size_, loose_mask_) || length == max_size_;
  if (cut) {
    hash_ = 0;
    length_ = 0;
    return i;
  }
  hash_ = hash;
  length_ = length;
  return std::nullopt;
}

}  // namespace dkl
