// Proving that an object file on the site holds a given content, as the launcher will after
// downloading it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/status.h"
#include "publish/file_hash.h"

namespace dkl::publish {

// With `gz`: the file is exactly `gz` bytes of gzip whose single stream inflates to the content.
// Without: the file is the content itself. Kind corrupt with a short reason ("missing", "is 3
// bytes, expected 4", ...) when it is not; kind io when it cannot be read. `observer` sees the
// content as it is checked.
Status CheckObjectFile(const std::string& path, const FileDigest& content, std::optional<std::uint64_t> gz,
                       const ContentObserver& observer = {});

}  // namespace dkl::publish
