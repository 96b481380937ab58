#include "core/crash_line.h"

#include "core/version.h"

namespace dkl {

static_assert(sizeof("v exception 0x at \n") - 1 + sizeof(LauncherVersion) - 1 + 8 + 16 <= CrashLine::kCapacity,
              "the crash line must fit its buffer");

void CrashLine::Append(std::string_view part) {
  for (const char c : part) text_[size_++] = c;
}

void CrashLine::AppendHex(std::uint64_t value, int digits) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) text_[size_++] = kDigits[(value >> shift) & 0xF];
}

// Written by hand instead of with snprintf: no locale, no CRT lock, and "%p" differs between runtimes.
CrashLine FormatCrashLine(std::uint32_t code, std::uint64_t address) {
  CrashLine line;
  line.Append("v");
  line.Append(LauncherVersion);
  line.Append(" exception 0x");
  line.AppendHex(code, 8);
  line.Append(" at ");
  line.AppendHex(address, 16);
  line.Append("\n");
  return line;
}

}  // namespace dkl
