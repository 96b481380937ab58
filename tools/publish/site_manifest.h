// The signed manifest file at the root of an update site.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "base/status.h"
#include "publishing/signing.h"
#include "update/manifest.h"
#include "update/manifest_fetch.h"

namespace dkl::publish {

inline constexpr std::string_view kManifestFileName = "manifest.json";
// The launcher downloads at most this much of manifest.json and refuses a longer one as too large.
inline constexpr std::uint64_t kLauncherManifestFetchLimit = kManifestCapBytes;

// The whole manifest.json of the site; `present` false when the site has none. Larger files than
// any launcher would fetch are still read, up to a sanity limit, so that they can be reported.
Status ReadManifestFile(const std::filesystem::path& site, bool& present, Bytes& envelope);

// The serial of the site's manifest.json, or nothing when the site has none. The payload is decoded
// and parsed but its signature is not checked: only the number matters here. Kind manifest when the
// file is there but holds no readable manifest.
Status ReadPublishedSerial(const std::filesystem::path& site, std::optional<std::uint64_t>& serial);

// The envelope for `manifest` once ValidateManifest accepts it and the envelope is no longer than a
// launcher downloads; kind manifest naming the reason otherwise.
Status SignManifestForSite(const Manifest& manifest, const publishing::SigningKey& key, std::string& envelope);

// Flushes everything written to the site's file system, so that objects reach the disk before the
// manifest that names them.
Status FlushSite(const std::filesystem::path& site);

// Replaces manifest.json in one rename of a flushed temporary file.
Status WriteManifestFile(const std::filesystem::path& site, std::string_view envelope);

}  // namespace dkl::publish
