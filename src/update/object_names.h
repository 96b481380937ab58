// Where an entry's content lives on a mirror and in the download area.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "update/manifest.h"

namespace dkl {

// base + "/objects/" + first two hex digits + "/" + sha256, + ".gz" for a compressed object.
std::string ObjectUrl(std::string_view base_url, std::string_view sha256, bool gz);

// What is downloaded: the compressed length when there is one, else the size.
inline std::uint64_t DownloadLength(const FileEntry& entry) { return entry.gz ? *entry.gz : entry.size; }

// sha256 [+ ".gz"] + ".part": the raw object as downloaded, possibly incomplete.
std::string PartFileName(const FileEntry& entry);

// sha256 [+ ".gz"] + ".ok": the content, complete and verified.
std::string FinishedFileName(const FileEntry& entry);

}  // namespace dkl
