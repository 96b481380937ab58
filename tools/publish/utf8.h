// Strict UTF-8 as JSON text needs it: no overlong forms, no surrogates, nothing above U+10FFFF.
#pragma once

#include <string_view>

namespace dkl::publish {

bool IsValidUtf8(std::string_view text);

}  // namespace dkl::publish
