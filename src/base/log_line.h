// The launcher log's line layout: "<seconds since 1970> v<version> <message>\n".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dkl {

inline constexpr std::uint64_t kLauncherLogMaxBytes = 262144;

// The message is written byte for byte: an embedded line break stays a line break.
std::string FormatLogLine(std::int64_t unix_seconds, std::string_view message);

}  // namespace dkl
