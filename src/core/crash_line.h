// The crash report's line: "v<version> exception 0x<code> at <address>\n", both numbers in
// zero-padded uppercase hexadecimal (8 and 16 digits), no time stamp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dkl {

// A fixed buffer rather than a std::string: the line is built inside a crashing process, where the
// heap may be the very thing that broke.
class CrashLine {
 public:
  static constexpr std::size_t kCapacity = 64;

  std::string_view view() const { return {text_.data(), size_}; }

 private:
  friend CrashLine FormatCrashLine(std::uint32_t code, std::uint64_t address);

  void Append(std::string_view part);
  void AppendHex(std::uint64_t value, int digits);

  std::array<char, kCapacity> text_{};
  std::size_t size_ = 0;
};

CrashLine FormatCrashLine(std::uint32_t code, std::uint64_t address);

}  // namespace dkl
