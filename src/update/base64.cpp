#include "update/base64.h"

#include <array>

namespace dkl {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint8_t kInvalid = 0xff;
constexpr std::uint8_t kPadding = 0xfe;

constexpr std::array<std::uint8_t, 256> MakeDecodeTable() {
  std::array<std::uint8_t, 256> table{};
  for (auto& value : table) value = kInvalid;
  for (std::uint8_t i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = i;
  table['='] = kPadding;
  return table;
}

constexpr std::array<std::uint8_t, 256> kDecodeTable = MakeDecodeTable();

std::string_view TrimForDecoding(std::string_view text) {
  while (!text.empty() && (text.back() == '\t' || text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.remove_suffix(1);
  }
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

}  // namespace

Bytes DecodeBase64(std::string_view text) {
  text = TrimForDecoding(text);
  if (text.size() % 4 != 0 || text.empty()) return {};
  Bytes out;
  out.reserve(text.size() / 4 * 3);
  const std::size_t last_group = text.size() - 4;
  for (std::size_t at = 0; at < text.size(); at += 4) {
    std::uint32_t group = 0;
    int padding = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const std::uint8_t value = kDecodeTable[static_cast<unsigned char>(text[at + i])];
      if (value == kInvalid) return {};
      if (value == kPadding) {
        // '=' only ends the last group, in its third or fourth position.
        if (at != last_group || i < 2) return {};
        ++padding;
      } else if (padding > 0) {
        return {};
      }
      group = (group << 6) | (value == kPadding ? 0 : value);
    }
    out.push_back(static_cast<std::uint8_t>(group >> 16));
    if (padding < 2) out.push_back(static_cast<std::uint8_t>(group >> 8));
    if (padding < 1) out.push_back(static_cast<std::uint8_t>(group));
  }
  return out;
}

std::string EncodeBase64(ByteView bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t at = 0;
  for (; at + 3 <= bytes.size(); at += 3) {
    const std::uint32_t group = (std::uint32_t{bytes[at]} << 16) | (std::uint32_t{bytes[at + 1]} << 8) | bytes[at + 2];
    for (int shift = 18; shift >= 0; shift -= 6) out.push_back(kAlphabet[(group >> shift) & 63]);
  }
  const std::size_t left = bytes.size() - at;
  if (left > 0) {
    const std::uint32_t group =
        (std::uint32_t{bytes[at]} << 16) | (left == 2 ? std::uint32_t{bytes[at + 1]} << 8 : 0);
    out.push_back(kAlphabet[(group >> 18) & 63]);
    out.push_back(kAlphabet[(group >> 12) & 63]);
    out.push_back(left == 2 ? kAlphabet[(group >> 6) & 63] : '=');
    out.push_back('=');
  }
  return out;
}

}  // namespace dkl
