#include "publish/utf8.h"

#include <cstdint>

namespace dkl::publish {
namespace {

// The length of the sequence that `lead` starts and the smallest code point it may encode.
bool DescribeLead(std::uint8_t lead, int& length, std::uint32_t& code, std::uint32_t& minimum) {
  if (lead < 0x80) {
    length = 1, code = lead, minimum = 0;
  } else if ((lead & 0xe0) == 0xc0) {
    length = 2, code = lead & 0x1fu, minimum = 0x80;
  } else if ((lead & 0xf0) == 0xe0) {
    length = 3, code = lead & 0x0fu, minimum = 0x800;
  } else if ((lead & 0xf8) == 0xf0) {
    length = 4, code = lead & 0x07u, minimum = 0x10000;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    int length = 0;
    std::uint32_t code = 0;
    std::uint32_t minimum = 0;
    if (!DescribeLead(static_cast<std::uint8_t>(text[i]), length, code, minimum)) return false;
    if (text.size() - i < static_cast<std::size_t>(length)) return false;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xc0) != 0x80) return false;
      code = (code << 6) | (next & 0x3fu);
    }
    if (code < minimum || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return false;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

}  // namespace dkl::publish
