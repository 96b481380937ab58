#pragma once

#include <filesystem>
#include <string_view>

namespace dkl {

// Joins `manifest_path`'s components onto `base`, each converted to UTF-16 and appended as one path
// element, when the path is safe; false (and `resolved` untouched) otherwise. The result always lies
// inside `base`.
bool ResolveManifestPath(const std::filesystem::path& base, std::string_view manifest_path,
                         std::filesystem::path& resolved);

}  // namespace dkl
