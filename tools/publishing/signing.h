// Signing the manifest: what the publisher does on the release engineer's machine, and what tests do
// with the development key to play the update server.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/bytes.h"

namespace dkl::publishing {

struct SigningKey {
  std::array<std::uint8_t, 64> secret{};  // libsodium layout: seed followed by public key
};

// 128 hexadecimal digits, surrounding white space allowed.
bool ParseSigningKeyHex(std::string_view text, SigningKey& key);

// 64 hexadecimal digits, surrounding white space allowed.
bool ParsePublicKeyHex(std::string_view text, std::array<std::uint8_t, 32>& key);

std::string ToHex(ByteView bytes);

// The pure Ed25519 signature (R then S) of `payload`.
std::array<std::uint8_t, 64> SignPayload(ByteView payload, const SigningKey& key);

// {"payload": Base64 of the manifest bytes, "signature": Base64 of its signature}, compact.
std::string MakeEnvelope(ByteView payload, const SigningKey& key);

}  // namespace dkl::publishing
