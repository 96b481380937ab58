#include "publishing/envelope.h"

#include <sodium.h>

#include <nlohmann/json.hpp>

#include "base/json_object.h"
#include "update/base64.h"
#include "update/envelope.h"

namespace dkl::publishing {

Status DecodeEnvelope(ByteView body, Bytes& payload, Bytes& signature) {
  const nlohmann::json envelope = ParseJsonObject(body);
  if (envelope.empty()) return MakeStatus(StatusKind::Signature, "not an envelope");
  const auto payload_member = envelope.find("payload");
  const auto signature_member = envelope.find("signature");
  if (payload_member == envelope.end() || !payload_member->is_string() || signature_member == envelope.end() ||
      !signature_member->is_string()) {
    return MakeStatus(StatusKind::Signature, "envelope fields");
  }
  payload = DecodeBase64(payload_member->get_ref<const std::string&>());
  if (payload.empty()) return MakeStatus(StatusKind::Signature, "payload is not Base64 of a document");
  signature = DecodeBase64(signature_member->get_ref<const std::string&>());
  if (signature.empty()) return MakeStatus(StatusKind::Signature, "signature is not Base64");
  return OkStatus();
}

Status OpenEnvelopeWithKey(ByteView body, const PublicKey& key, Manifest& manifest) {
  Bytes payload;
  Bytes signature;
  if (Status decoded = DecodeEnvelope(body, payload, signature); !decoded.ok()) return decoded;
  if (signature.size() != crypto_sign_BYTES) return MakeStatus(StatusKind::Signature, "signature is not 64 bytes");
  Status opened = OpenEnvelopeWith(body, key, manifest);
  if (opened.kind == StatusKind::Signature && opened.message.empty()) {
    opened.message = "signature does not verify with this public key";
  }
  return opened;
}

}  // namespace dkl::publishing
