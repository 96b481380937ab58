#pragma once

#include <filesystem>

#include "base/bytes.h"
#include "base/status.h"

namespace dkl {

// Writes `bytes` to the ".tmp" sibling of `target`, flushes it and moves it over `target` with
// replace and write-through. On failure the target is untouched and no staging file remains.
Status AtomicWriteFile(const std::filesystem::path& target, ByteView bytes);

}  // namespace dkl
