#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "base/status.h"
#include "net/http_session_win.h"

namespace dkl {

// Receives each increment of bytes that counts towards the object.
using ProgressCallback = std::function<void(std::uint64_t increment)>;

// Brings an object of `expected_bytes` into `part_file`, continuing a partial one with a Range
// request. Every increment goes to `progress` and is added to `running_total`. The part file stays
// after every failure (so the next call resumes) except a body longer than expected, which deletes it.
// Content is not verified here.
Status DownloadToFile(const HttpSession& session, std::string_view url, const std::filesystem::path& part_file,
                      std::uint64_t expected_bytes, const ProgressCallback& progress, std::uint64_t& running_total);

}  // namespace dkl
