#include "core/version_compare.h"

#include <limits>

namespace dkl {
namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::uint32_t ReadComponent(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsWhiteSpace(text[at])) ++at;
  constexpr std::uint32_t kLargest = std::numeric_limits<std::uint32_t>::max();
  std::uint32_t value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    const auto digit = static_cast<std::uint32_t>(text[at] - '0');
    if (value > (kLargest - digit) / 10) return kLargest;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

VersionNumbers ParseVersion(std::string_view version) {
  VersionNumbers numbers{};
  for (std::uint32_t& number : numbers) {
    const std::size_t dot = version.find('.');
    number = ReadComponent(version.substr(0, dot));
    if (dot == std::string_view::npos) break;
    version.remove_prefix(dot + 1);
  }
  return numbers;
}

std::strong_ordering CompareVersions(std::string_view left, std::string_view right) {
  return ParseVersion(left) <=> ParseVersion(right);
}

}  // namespace dkl
