// UTF-8 inside the program, UTF-16 at the operating system: the two conversions between them.
#pragma once

#include <string>
#include <string_view>

namespace dkl {

// Invalid byte sequences become U+FFFD; an empty input never reaches the platform.
std::wstring Utf8ToWide(std::string_view utf8);

// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace dkl
