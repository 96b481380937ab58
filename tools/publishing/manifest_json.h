// The manifest document as the launcher reads it, written from the model.
#pragma once

#include <string>

#include "update/manifest.h"

namespace dkl::publishing {

// Compact JSON with keys in byte order; "launcher" only when the manifest has one, "gz" and
// "chunk_index" only where set.
// Values are written as they are, unchecked, so that tests can also build manifests the launcher refuses.
std::string SerializeManifest(const Manifest& manifest);

}  // namespace dkl::publishing
