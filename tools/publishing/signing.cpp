#include "publishing/signing.h"

#include <sodium.h>

#include <nlohmann/json.hpp>

#include "base/json_object.h"
#include "update/base64.h"

namespace dkl::publishing {
namespace {

std::string_view Trim(std::string_view text) {
  const auto is_space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHex(std::string_view text, std::uint8_t* out, std::size_t size) {
  text = Trim(text);
  if (text.size() != size * 2) return false;
  for (std::size_t i = 0; i < size; ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    out[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return true;
}

}  // namespace

bool ParseSigningKeyHex(std::string_view text, SigningKey& key) {
  return ParseHex(text, key.secret.data(), key.secret.size());
}

bool ParsePublicKeyHex(std::string_view text, std::array<std::uint8_t, 32>& key) {
  return ParseHex(text, key.data(), key.size());
}

std::string ToHex(ByteView bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 15]);
  }
  return hex;
}

std::array<std::uint8_t, 64> SignPayload(ByteView payload, const SigningKey& key) {
  std::array<std::uint8_t, 64> signature{};
  crypto_sign_detached(signature.data(), nullptr, payload.data(), payload.size(), key.secret.data());
  return signature;
}

std::string MakeEnvelope(ByteView payload, const SigningKey& key) {
  const std::array<std::uint8_t, 64> signature = SignPayload(payload, key);
  nlohmann::json envelope = {{"payload", EncodeBase64(payload)}, {"signature", EncodeBase64(signature)}};
  return DumpJson(envelope, -1);
}

}  // namespace dkl::publishing
