// Ordering of dotted version texts such as "2.0.1", as the published launcher entry carries them.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <string_view>

namespace dkl {

using VersionNumbers = std::array<std::uint32_t, 3>;

// Major, minor and patch. Each component is optional white space and then decimal digits up to the
// first other byte; no digits reads as 0, a missing component is 0, a fourth and later are ignored,
// and a number beyond 32 bits reads as the largest 32-bit value.
VersionNumbers ParseVersion(std::string_view version);

// Component by component, major first, as unsigned numbers.
std::strong_ordering CompareVersions(std::string_view left, std::string_view right);

}  // namespace dkl
