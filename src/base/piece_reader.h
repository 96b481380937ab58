// The read loop behind whole-file reads, apart from the handle that feeds it.
#pragma once

#include <cstdint>
#include <functional>

#include "base/bytes.h"

namespace dkl {

inline constexpr std::uint32_t kIoPieceBytes = 1048576;

// Reads up to `wanted` bytes into `into` and reports how many arrived; false on failure.
using ReadPiece = std::function<bool(std::uint8_t* into, std::uint32_t wanted, std::uint32_t& got)>;

// Fills `out` with exactly `size` bytes in pieces of at most 1 MiB. A failing piece, or one that
// delivers nothing before the end (the file shrank), leaves `out` empty and returns false.
bool ReadExactly(std::uint64_t size, const ReadPiece& read_piece, Bytes& out);

}  // namespace dkl
