// What the news feed keeps of the website's texts and links: bounded, free of control characters,
// and pointing only back into the website.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dkl {

// At most `max_chars` UTF-8 characters of `text`, each character's length judged from its first
// byte alone. Characters holding a byte below 32 or 127 are dropped and not counted; a character
// cut off by the end of the text is dropped. Stray continuation bytes count as one character each.
std::string CleanNewsText(std::string_view text, std::size_t max_chars);

// A path on the website ("/x", not "//x") is joined to `base`, the base that served the news;
// anything else stands as it is. The result is kept only when it lies under one of `bases`, is at
// most 300 bytes and holds no byte below 32; otherwise it is empty.
std::string ResolveNewsUrl(const std::vector<std::string>& bases, std::string_view base, std::string_view url);

}  // namespace dkl
