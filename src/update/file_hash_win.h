// SHA-256 of a file on disk, read sequentially in 1 MiB chunks.
#pragma once

#include <filesystem>
#include <string>

#include "update/sha256.h"

namespace dkl {

// Feeds the whole content of `path` to `hash`; false when the file cannot be opened or read.
bool FeedFile(const std::filesystem::path& path, Sha256& hash);

// The 64 hex digits of the file's SHA-256, or an empty string when it cannot be opened or read.
std::string HashFile(const std::filesystem::path& path);

}  // namespace dkl
