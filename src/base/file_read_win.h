#pragma once

#include <cstdint>
#include <filesystem>

#include "base/bytes.h"

namespace dkl {

// Reads the whole file when it holds at most `max_bytes`. Any failure (missing, unreadable,
// too large, shrinking while read) returns false with `out` empty.
bool ReadWholeFile(const std::filesystem::path& path, std::uint64_t max_bytes, Bytes& out);

}  // namespace dkl
