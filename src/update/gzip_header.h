// The gzip wrapper around a compressed object: where its DEFLATE data starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/bytes.h"

namespace dkl {

enum class GzipHeaderResult { Ok, Bad, NeedMore };

// Parses the header at the start of `head`, the first bytes of a gzip file of `total_bytes` in all.
// NeedMore when the header runs past `head` but the file is longer; Ok sets `data_start`, which lies
// within `head` and leaves at least the 8-byte trailer after it in the file. The header CRC, time and
// OS bytes are not examined.
GzipHeaderResult ParseGzipHeaderPrefix(ByteView head, std::uint64_t total_bytes, std::size_t& data_start);

// The whole gzip file in memory: the offset where its DEFLATE data starts, or nothing.
std::optional<std::size_t> ParseGzipHeader(ByteView data);

}  // namespace dkl
