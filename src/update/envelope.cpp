#include "update/envelope.h"

#include <sodium.h>

#include <nlohmann/json.hpp>

#include <dkl/build_settings.h>

#include "update/base64.h"
#include "update/manifest_validation.h"

namespace dkl {
namespace {

constexpr std::size_t kSignatureBytes = 64;

Status SignatureFailure(std::string message = {}) { return MakeStatus(StatusKind::Signature, std::move(message)); }

const std::string* StringMember(const nlohmann::json& envelope, const char* key) {
  const auto found = envelope.find(key);
  if (found == envelope.end() || !found->is_string()) return nullptr;
  return &found->get_ref<const std::string&>();
}

}  // namespace

bool VerifyPayloadSignatureWith(ByteView payload, ByteView signature, const std::array<std::uint8_t, 32>& public_key) {
  if (signature.size() != kSignatureBytes) return false;
  // Combined form: the signature followed by the message, opened as one signed message.
  Bytes signed_message(signature.begin(), signature.end());
  signed_message.insert(signed_message.end(), payload.begin(), payload.end());
  Bytes opened(signed_message.size());
  unsigned long long opened_length = 0;
  if (crypto_sign_open(opened.data(), &opened_length, signed_message.data(), signed_message.size(),
                       public_key.data()) != 0) {
    return false;
  }
  return opened_length == payload.size();
}

bool VerifyPayloadSignature(ByteView payload, ByteView signature) {
  return VerifyPayloadSignatureWith(payload, signature, kManifestPublicKey);
}

Status OpenEnvelope(ByteView body, Manifest& manifest) { return OpenEnvelopeWith(body, kManifestPublicKey, manifest); }

Status OpenEnvelopeWith(ByteView body, const std::array<std::uint8_t, 32>& public_key, Manifest& manifest) {
  constexpr bool kAllowExceptions = false;
  constexpr bool kIgnoreComments = false;
  const nlohmann::json envelope =
      nlohmann::json::parse(body.begin(), body.end(), nullptr, kAllowExceptions, kIgnoreComments);
  if (envelope.is_discarded() || !envelope.is_object()) return SignatureFailure("not an envelope");

  const std::string* payload_text = StringMember(envelope, "payload");
  const std::string* signature_text = StringMember(envelope, "signature");
  if (payload_text == nullptr || signature_text == nullptr) return SignatureFailure("envelope fields");

  const Bytes payload = DecodeBase64(*payload_text);
  if (payload.empty()) return SignatureFailure();
  const Bytes signature = DecodeBase64(*signature_text);
  if (signature.size() != kSignatureBytes) return SignatureFailure();
  if (!VerifyPayloadSignatureWith(payload, signature, public_key)) return SignatureFailure();

  Manifest parsed;
  if (Status status = ParseManifest(payload, parsed); !status.ok()) return status;
  if (Status status = ValidateManifest(parsed); !status.ok()) return status;
  manifest = std::move(parsed);
  return OkStatus();
}

}  // namespace dkl
