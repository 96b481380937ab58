// Objects on a test site, laid out as the publisher lays them out: "objects/ab/<sha256>[.gz]".
#pragma once

#include <filesystem>
#include <string>

#include "support/object_bytes.h"
#include "update/manifest.h"

namespace dkl::testing {

// A gzip file around raw DEFLATE data, with a name and a header CRC, and a trailer that is wrong on
// purpose: only the SHA-256 of the content may decide.
std::string GzipWithNameAndHeaderCrc(std::string_view content);

// Writes `content` under its hash below `site` (gzip-compressed when asked) and returns its entry.
FileEntry PublishObject(const std::filesystem::path& site, const std::string& path, const std::string& content,
                        bool gz);

// Writes `gzip`, which holds `content`, as the compressed object of `content` and returns its entry.
FileEntry PublishGzipObject(const std::filesystem::path& site, const std::string& path, const std::string& content,
                            const std::string& gzip);

}  // namespace dkl::testing
