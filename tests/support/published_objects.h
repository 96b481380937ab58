// Objects on a test site, laid out as the publisher lays them out: "objects/ab/<sha256>[.gz]".
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "update/manifest.h"

namespace dkl::testing {

std::string HexOf(std::string_view content);

// Text of exactly `size` bytes that compresses well and differs along its length.
std::string Content(std::size_t size);

// A gzip file around raw DEFLATE data, with a name and a header CRC, and a trailer that is wrong on
// purpose: only the SHA-256 of the content may decide.
std::string GzipWithNameAndHeaderCrc(std::string_view content);

// Writes `content` under its hash below `site` (gzip-compressed when asked) and returns its entry.
FileEntry PublishObject(const std::filesystem::path& site, const std::string& path, const std::string& content,
                        bool gz);

}  // namespace dkl::testing
