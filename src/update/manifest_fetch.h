// Asking each mirror in turn for the signed manifest.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "base/status.h"
#include "update/manifest.h"

namespace dkl {

// The most a mirror may send as its manifest; the publisher refuses to write more.
inline constexpr std::uint64_t kManifestCapBytes = 8388608;

// Fetches one document into memory under a size cap and a body timeout (the HTTP transport).
using FetchDocument =
    std::function<Status(const std::string& url, std::uint64_t max_bytes, Bytes& body, std::uint32_t timeout_ms)>;

// Returns the first manifest that a mirror serves correctly signed, well formed and valid, with the
// base URL that served it. Otherwise the last mirror's failure, network failures reported as offline;
// neither output is changed then. Each mirror is asked once, without pauses.
Status FetchManifestOver(const FetchDocument& fetch, const std::vector<std::string>& mirrors, Manifest& manifest,
                         std::string& serving_base);

}  // namespace dkl
