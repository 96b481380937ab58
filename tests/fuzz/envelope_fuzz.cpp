// The signed envelope under the development key: anything a mirror may serve as "manifest.json", and
// payloads that are signed, so that the road past the signature is fuzzed too.
#include "fuzz/fuzz_target.h"
#include "publishing/manifest_json.h"
#include "publishing/signing.h"
#include "support/development_key.h"
#include "update/envelope.h"
#include "update/manifest_validation.h"

namespace dkl::fuzz {
namespace {

const publishing::SigningKey& DevelopmentKey() {
  static const publishing::SigningKey key = [] {
    publishing::SigningKey parsed;
    FUZZ_CHECK(publishing::ParseSigningKeyHex(testing::kDevelopmentSecretKeyHex, parsed));
    return parsed;
  }();
  return key;
}

// What a failed open must leave as it was.
Manifest Earlier() {
  Manifest manifest;
  manifest.schema = 2;
  manifest.serial = 41;
  manifest.game_exe = "bin/Game.exe";
  manifest.files.push_back(FileEntry{"bin/Game.exe", std::string(64, 'a'), 3, std::nullopt});
  return manifest;
}

Status ParseAndValidate(ByteView payload, Manifest& manifest) {
  if (Status parsed = ParseManifest(payload, manifest); !parsed.ok()) return parsed;
  return ValidateManifest(manifest);
}

void OpenServed(ByteView body) {
  Manifest manifest = Earlier();
  const Status status = OpenEnvelope(body, manifest);
  if (status.ok()) {
    FUZZ_CHECK(ValidateManifest(manifest).ok());
  } else {
    FUZZ_CHECK(publishing::SerializeManifest(manifest) == publishing::SerializeManifest(Earlier()));
  }
}

// A payload signed with the key opens exactly when it is a valid manifest, and into that manifest.
void OpenSigned(ByteView payload) {
  Manifest manifest = Earlier();
  const Status status = OpenEnvelope(AsBytes(publishing::MakeEnvelope(payload, DevelopmentKey())), manifest);
  if (payload.empty()) {
    FUZZ_CHECK(status.kind == StatusKind::Signature);
    return;
  }
  Manifest direct;
  const Status expected = ParseAndValidate(payload, direct);
  FUZZ_CHECK(status.kind == expected.kind && status.message == expected.message);
  if (status.ok()) FUZZ_CHECK(publishing::SerializeManifest(manifest) == publishing::SerializeManifest(direct));
}

void OpenEnvelopes(ByteView input) {
  InputReader reader(input);
  const bool sign = (reader.Byte() & 1) != 0;
  if (sign) {
    OpenSigned(reader.Rest());
  } else {
    OpenServed(reader.Rest());
  }
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("envelope", dkl::fuzz::OpenEnvelopes)
