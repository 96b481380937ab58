#pragma once

#include <cstdint>
#include <filesystem>

#include <nlohmann/json.hpp>

namespace dkl {

// The JSON object stored in `path`; an empty object when the file is missing, unreadable,
// larger than `max_bytes`, not strict JSON or not an object. Never fails.
nlohmann::json LoadJsonObjectFile(const std::filesystem::path& path, std::uint64_t max_bytes);

}  // namespace dkl
