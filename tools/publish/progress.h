// Human-readable amounts for progress lines and summaries.
#pragma once

#include <cstdint>
#include <string>

namespace dkl::publish {

// "512 B", "1.5 KiB", "1.2 GiB": binary units, one decimal above bytes.
std::string FormatBytes(std::uint64_t bytes);

}  // namespace dkl::publish
