#include "net/news_text.h"

#include <algorithm>

#include "net/website_url.h"

namespace dkl {
namespace {

constexpr std::size_t kMaxNewsUrlBytes = 300;

std::size_t CharacterLength(unsigned char first) {
  if (first >= 0xF0) return 4;
  if (first >= 0xE0) return 3;
  if (first < 0xC0) return 1;
  return 2;
}

bool IsControl(unsigned char byte) { return byte < 32 || byte == 127; }

bool HasByteBelowSpace(std::string_view text) {
  return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) < 32; });
}

}  // namespace

std::string CleanNewsText(std::string_view text, std::size_t max_chars) {
  std::string clean;
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size() && count < max_chars;) {
    const std::size_t length = CharacterLength(static_cast<unsigned char>(text[at]));
    if (length > text.size() - at) break;
    const std::string_view character = text.substr(at, length);
    at += length;
    // The first byte alone decides the length, so a control byte can hide inside a malformed
    // sequence; it must not reach the window either.
    if (std::ranges::any_of(character, [](char c) { return IsControl(static_cast<unsigned char>(c)); })) continue;
    clean += character;
    ++count;
  }
  return clean;
}

std::string ResolveNewsUrl(const std::vector<std::string>& bases, std::string_view base, std::string_view url) {
  const bool site_path = url.size() >= 2 && url[0] == '/' && url[1] != '/';
  std::string candidate = site_path ? std::string(base) + std::string(url) : std::string(url);
  if (!IsWebsiteUrl(bases, candidate) || candidate.size() > kMaxNewsUrlBytes || HasByteBelowSpace(candidate)) return {};
  return candidate;
}

}  // namespace dkl
