// Which pages the launcher may open or link to: only those under its own website.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dkl {

// True when `url` is one of `bases` exactly, or continues one of them with "/". Byte comparison,
// so a longer host name that merely starts like a base is refused.
bool IsWebsiteUrl(const std::vector<std::string>& bases, std::string_view url);

}  // namespace dkl
