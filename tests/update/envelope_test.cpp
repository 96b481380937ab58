#include "update/envelope.h"

#include <gtest/gtest.h>

#include "publishing/signing.h"
#include "support/development_key.h"
#include "update/base64.h"

namespace dkl {
namespace {

constexpr char kGoodManifest[] =
    R"({"schema":2,"serial":7,"game_exe":"bin/Game.exe","client":{"version":"1.4.2","build":88},)"
    R"("files":[{"path":"bin/Game.exe","sha256":"9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08","size":4}]})";

publishing::SigningKey DevelopmentKey() {
  publishing::SigningKey key;
  EXPECT_TRUE(publishing::ParseSigningKeyHex(testing::kDevelopmentSecretKeyHex, key));
  return key;
}

std::string Envelope(std::string_view payload_base64, std::string_view signature_base64, std::string_view extra = "") {
  return std::string("{\"payload\":\"") + std::string(payload_base64) + "\",\"signature\":\"" +
         std::string(signature_base64) + "\"" + std::string(extra) + "}";
}

std::string SignatureOf(std::string_view payload) {
  const auto signature = publishing::SignPayload(AsBytes(payload), DevelopmentKey());
  return EncodeBase64(signature);
}

Status Open(std::string_view body, Manifest& manifest) { return OpenEnvelope(AsBytes(body), manifest); }

TEST(OpenEnvelope, GoodEnvelopeYieldsTheValidatedManifest) {
  Manifest manifest;
  const Status status = Open(publishing::MakeEnvelope(AsBytes(kGoodManifest), DevelopmentKey()), manifest);
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(manifest.serial, 7u);
  EXPECT_EQ(manifest.client_version, "1.4.2");
  EXPECT_EQ(manifest.client_build, 88u);
  ASSERT_EQ(manifest.files.size(), 1u);
  EXPECT_EQ(manifest.files[0].path, "bin/Game.exe");
}

TEST(OpenEnvelope, AcceptedVariations) {
  const std::string payload = EncodeBase64(AsBytes(kGoodManifest));
  const std::string signature = SignatureOf(kGoodManifest);
  const std::string cases[] = {
      Envelope(payload + "\\n", signature),                          // payload ending in a line break
      Envelope(payload, signature + "\\r\\n"),
      Envelope(payload, signature, R"(,"key_id":"ignored","extra":[1,2])"),  // extra members
      "  \n" + Envelope(payload, signature) + "\n",
  };
  for (const std::string& body : cases) {
    Manifest manifest;
    const Status status = Open(body, manifest);
    EXPECT_TRUE(status.ok()) << body << ": " << status.message;
  }
}

TEST(OpenEnvelope, RefusedEnvelopes) {
  const std::string payload = EncodeBase64(AsBytes(kGoodManifest));
  const std::string signature = SignatureOf(kGoodManifest);
  const Bytes signature_bytes = DecodeBase64(signature);
  std::string tampered = kGoodManifest;
  tampered[tampered.find("\"serial\":7") + 9] = '8';
  Bytes short_signature(signature_bytes.begin(), signature_bytes.end() - 1);
  Bytes long_signature = signature_bytes;
  long_signature.push_back(0);
  std::string broken_lines = payload;
  broken_lines.insert(76, "\\n");

  const struct {
    std::string body;
    StatusKind kind;
    const char* message;
  } cases[] = {
      {"", StatusKind::Signature, "not an envelope"},
      {"[" + Envelope(payload, signature) + "]", StatusKind::Signature, "not an envelope"},
      {Envelope(payload, signature) + " // signed", StatusKind::Signature, "not an envelope"},
      {"{\"payload\":\"" + payload + "\"}", StatusKind::Signature, "envelope fields"},
      {"{\"payload\":null,\"signature\":\"" + signature + "\"}", StatusKind::Signature, "envelope fields"},
      {"{\"payload\":\"" + payload + "\",\"signature\":64}", StatusKind::Signature, "envelope fields"},
      {"{\"Payload\":\"" + payload + "\",\"signature\":\"" + signature + "\"}", StatusKind::Signature,
       "envelope fields"},
      {Envelope("", signature), StatusKind::Signature, ""},
      {Envelope(broken_lines, signature), StatusKind::Signature, ""},
      {Envelope(payload, EncodeBase64(short_signature)), StatusKind::Signature, ""},
      {Envelope(payload, EncodeBase64(long_signature)), StatusKind::Signature, ""},
      {Envelope(EncodeBase64(AsBytes(tampered)), signature), StatusKind::Signature, ""},
      {Envelope(payload, SignatureOf("something else")), StatusKind::Signature, ""},
      {Envelope(EncodeBase64(AsBytes("[1,2,3]")), SignatureOf("[1,2,3]")), StatusKind::Manifest,
       "not a JSON object"},
      {Envelope(EncodeBase64(AsBytes(R"({"schema":3})")), SignatureOf(R"({"schema":3})")), StatusKind::Manifest,
       "schema, serial or game_exe"},
  };
  for (const auto& c : cases) {
    Manifest manifest;
    manifest.serial = 99;
    const Status status = Open(c.body, manifest);
    EXPECT_EQ(status.kind, c.kind) << c.body;
    EXPECT_EQ(status.message, c.message) << c.body;
    EXPECT_EQ(manifest.serial, 99u) << "a refused envelope leaves the caller's manifest alone";
  }
}

TEST(VerifyPayloadSignature, OnlyTheBuiltInKeysSignatureOfTheseExactBytes) {
  const std::string signature_text = SignatureOf(kGoodManifest);
  const Bytes signature = DecodeBase64(signature_text);
  EXPECT_TRUE(VerifyPayloadSignature(AsBytes(kGoodManifest), signature));
  EXPECT_FALSE(VerifyPayloadSignature(AsBytes(std::string(kGoodManifest) + " "), signature));
  EXPECT_FALSE(VerifyPayloadSignature(AsBytes(kGoodManifest), ByteView(signature).first(63)));

  std::array<std::uint8_t, 32> other_key{};
  other_key[0] = 1;
  EXPECT_FALSE(VerifyPayloadSignatureWith(AsBytes(kGoodManifest), signature, other_key));
}

}  // namespace
}  // namespace dkl
