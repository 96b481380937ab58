// Reading a signed envelope with a key given at run time, as the publisher's own check and the
// tests do; the launcher's own reader trusts only its built-in key.
#pragma once

#include <array>
#include <cstdint>

#include "base/bytes.h"
#include "base/status.h"
#include "update/manifest.h"

namespace dkl::publishing {

using PublicKey = std::array<std::uint8_t, 32>;

// The decoded "payload" and "signature" members, unverified. Kind signature when the body is not
// an envelope or a member is not Base64 of something; the signature is not checked for length.
Status DecodeEnvelope(ByteView body, Bytes& payload, Bytes& signature);

// The launcher's own reading of the envelope under `key`, with the signature failures, which the
// launcher leaves without a message, explained for the release engineer.
Status OpenEnvelopeWithKey(ByteView body, const PublicKey& key, Manifest& manifest);

}  // namespace dkl::publishing
