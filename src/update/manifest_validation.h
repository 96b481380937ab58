// The rules on a parsed manifest's values, and the only road from a manifest path to a file path.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "update/manifest.h"

namespace dkl {

inline constexpr std::size_t kMaxManifestFiles = 100000;
inline constexpr std::size_t kMaxManifestPathBytes = 240;
inline constexpr std::uint64_t kMaxObjectBytes = 4294967296;  // 4 GiB, itself allowed

// No for empty names, a leading '.', a trailing '.' or space, control bytes, any of "*:<>?\| and
// the reserved device names (con, prn, aux, nul, com1-9, lpt1-9) as the stem, in any letter case.
bool IsSafePathComponent(std::string_view component);

// The components of a manifest path of 1 to 240 bytes, split at '/', when every one is safe.
std::optional<std::vector<std::string_view>> SplitManifestPath(std::string_view path);

// Kind manifest with the first broken rule's message; the manifest is not changed.
Status ValidateManifest(const Manifest& manifest);

}  // namespace dkl
