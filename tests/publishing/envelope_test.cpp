#include "publishing/envelope.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "publishing/manifest_json.h"
#include "publishing/signing.h"
#include "support/development_key.h"
#include "update/base64.h"

namespace dkl {
namespace {

using ::testing::HasSubstr;

Manifest Valid() {
  Manifest manifest;
  manifest.schema = 2;
  manifest.serial = 9;
  manifest.client_version = "1.0";
  manifest.game_exe = "game.exe";
  manifest.files = {{"game.exe", std::string(64, 'e'), 2, std::nullopt}};
  return manifest;
}

class OpenEnvelopeWithKeyTest : public ::testing::Test {
 protected:
  OpenEnvelopeWithKeyTest() {
    publishing::ParseSigningKeyHex(testing::kDevelopmentSecretKeyHex, secret_);
    publishing::ParsePublicKeyHex(testing::kDevelopmentPublicKeyHex, public_);
  }

  std::string Signed(const Manifest& manifest) const {
    return publishing::MakeEnvelope(AsBytes(publishing::SerializeManifest(manifest)), secret_);
  }

  Status Open(const std::string& body, Manifest& manifest) const {
    return publishing::OpenEnvelopeWithKey(AsBytes(body), public_, manifest);
  }

  publishing::SigningKey secret_;
  publishing::PublicKey public_{};
};

TEST_F(OpenEnvelopeWithKeyTest, OpensASignedManifest) {
  Manifest manifest;
  ASSERT_TRUE(Open(Signed(Valid()), manifest).ok());
  EXPECT_EQ(manifest.serial, 9u);
  ASSERT_EQ(manifest.files.size(), 1u);
}

TEST_F(OpenEnvelopeWithKeyTest, RefusesWhatALauncherRefusesAndLeavesTheManifestAlone) {
  Manifest unlisted_exe = Valid();
  unlisted_exe.game_exe = "other.exe";
  const std::string payload = publishing::SerializeManifest(Valid());
  const std::string signature = EncodeBase64(publishing::SignPayload(AsBytes(payload), secret_));
  std::string altered = payload;
  altered[altered.find("\"serial\":9") + 9] = '8';
  struct Case {
    std::string body;
    StatusKind kind;
    const char* message;
  };
  const Case cases[] = {
      {"[]", StatusKind::Signature, "not an envelope"},
      {"{\"payload\": 1, \"signature\": \"\"}", StatusKind::Signature, "envelope fields"},
      {"{\"payload\":\"" + EncodeBase64(AsBytes(altered)) + "\",\"signature\":\"" + signature + "\"}",
       StatusKind::Signature, "does not verify"},
      {"{\"payload\":\"" + EncodeBase64(AsBytes(payload)) + "\",\"signature\":\"" + EncodeBase64(Bytes(63, 1)) + "\"}",
       StatusKind::Signature, "not 64 bytes"},
      {Signed(unlisted_exe), StatusKind::Manifest, "game exe not listed"},
  };
  for (const Case& c : cases) {
    Manifest manifest;
    manifest.serial = 77;
    const Status status = Open(c.body, manifest);
    EXPECT_EQ(status.kind, c.kind) << c.message;
    EXPECT_THAT(status.message, HasSubstr(c.message));
    EXPECT_EQ(manifest.serial, 77u) << c.message;
  }
}

}  // namespace
}  // namespace dkl
