// The signed envelope: the only way a manifest enters the program.
#pragma once

#include <array>
#include <cstdint>

#include "base/bytes.h"
#include "base/status.h"
#include "update/manifest.h"

namespace dkl {

// Yes when `signature` (64 bytes, R then S) is a valid Ed25519 signature of `payload` under `public_key`.
bool VerifyPayloadSignatureWith(ByteView payload, ByteView signature, const std::array<std::uint8_t, 32>& public_key);

// The same under the key built into the launcher.
bool VerifyPayloadSignature(ByteView payload, ByteView signature);

// The same under `public_key`: what the publisher's own check uses with the key it is given.
Status OpenEnvelopeWith(ByteView body, const std::array<std::uint8_t, 32>& public_key, Manifest& manifest);

// Checks the envelope's signature before anything of the payload is parsed, then parses and
// validates exactly the verified bytes. On success `manifest` is replaced whole; on failure it is
// untouched. A malformed envelope and a bad signature are both kind signature.
Status OpenEnvelope(ByteView body, Manifest& manifest);

}  // namespace dkl
