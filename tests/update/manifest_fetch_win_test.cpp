// The walk over mirrors, against local servers playing a good, a tampered and a missing mirror.
#include "update/manifest_fetch_win.h"

#include <gtest/gtest.h>

#include "publishing/signing.h"
#include "support/development_key.h"
#include "support/fault_server_win.h"
#include "support/loopback_win.h"
#include "update/base64.h"

namespace dkl {
namespace {

using testing::FaultResponse;
using testing::FaultServer;

constexpr char kManifest[] =
    R"({"schema":2,"serial":41,"game_exe":"Game.exe","client":{"version":"3.1"},)"
    R"("files":[{"path":"Game.exe","sha256":"9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08","size":4}]})";

std::string GoodEnvelope() {
  publishing::SigningKey key;
  EXPECT_TRUE(publishing::ParseSigningKeyHex(testing::kDevelopmentSecretKeyHex, key));
  return publishing::MakeEnvelope(AsBytes(kManifest), key);
}

// The good envelope with a payload one byte off: the signature no longer verifies.
std::string TamperedEnvelope() {
  std::string tampered = kManifest;
  tampered[tampered.find("41")] = '5';
  const std::string good = GoodEnvelope();
  const std::string signature = good.substr(good.find("\"signature\""));
  return "{\"payload\":\"" + EncodeBase64(AsBytes(tampered)) + "\"," + signature;
}

class ManifestFetchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok());
    server_.Route("/good/manifest.json", FaultResponse{.body = GoodEnvelope()});
    server_.Route("/tampered/manifest.json", FaultResponse{.body = TamperedEnvelope()});
    server_.Route("/missing/manifest.json", FaultResponse{.status = 404, .body = ""});
  }

  std::string Mirror(const char* name) const { return server_.url(std::string("/") + name); }
  std::string Down() const { return "http://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort()) + "/updates"; }

  Status Fetch(const std::vector<std::string>& mirrors) {
    return FetchManifest(session_, mirrors, manifest_, serving_);
  }

  FaultServer server_;
  HttpSession session_ = OpenHttpSession(MakeUserAgent());
  Manifest manifest_;
  std::string serving_ = "unchanged";
};

TEST_F(ManifestFetchTest, PrimaryDownFallbackGood) {
  const Status status = Fetch({Down(), Mirror("good")});
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(serving_, Mirror("good"));
  EXPECT_EQ(manifest_.serial, 41u);
}

TEST_F(ManifestFetchTest, TheLastMirrorsFailureWins) {
  const struct {
    std::vector<std::string> mirrors;
    StatusKind kind;
    std::string message_start;
  } cases[] = {
      {{Mirror("tampered"), Down()}, StatusKind::Offline, "send (WinHTTP "},
      {{Down(), Mirror("tampered")}, StatusKind::Signature, ""},
      {{Mirror("good"), Mirror("tampered")}, StatusKind::Ok, ""},
      {{Mirror("tampered"), Mirror("missing")}, StatusKind::Offline, "HTTP 404"},
      {{}, StatusKind::Offline, "no mirrors"},
  };
  for (const auto& c : cases) {
    manifest_ = Manifest();
    serving_ = "unchanged";
    const Status status = Fetch(c.mirrors);
    EXPECT_EQ(status.kind, c.kind) << status.message;
    EXPECT_EQ(status.message.rfind(c.message_start, 0), 0u) << status.message;
    if (!status.ok()) {
      EXPECT_EQ(serving_, "unchanged");
      EXPECT_EQ(manifest_.serial, 0u);
    }
  }
}

TEST_F(ManifestFetchTest, EmptyMirrorListSendsNothing) {
  EXPECT_EQ(Fetch({}).message, "no mirrors");
  EXPECT_TRUE(server_.requests().empty());
}

TEST_F(ManifestFetchTest, EnvelopeOfExactlyEightMebibytesIsAcceptedAndOneByteMoreIsNot) {
  std::string envelope = GoodEnvelope();
  envelope.resize(8388608, ' ');  // trailing white space keeps it one JSON document
  server_.Route("/large/manifest.json", FaultResponse{.body = envelope});
  envelope.push_back(' ');
  server_.Route("/larger/manifest.json", FaultResponse{.body = envelope});

  const Status exact = Fetch({Mirror("large")});
  EXPECT_TRUE(exact.ok()) << exact.message;
  const Status over = Fetch({Mirror("larger")});
  EXPECT_EQ(over.kind, StatusKind::Manifest);
  EXPECT_EQ(over.message, "too large");
}

}  // namespace
}  // namespace dkl
