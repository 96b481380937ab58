#include "publish/verify.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "publishing/signing.h"
#include "support/development_key.h"
#include "tools/site_fixture.h"

namespace dkl::testing {
namespace {

using ::testing::HasSubstr;

class VerifyTest : public SiteFixture {
 protected:
  void SetUp() override {
    AddGameFile("game.exe", "MZ");
    AddGameFile("a/one.txt", "shared");
    AddGameFile("b/two.txt", "shared");
    AddGameFile("packed.txt", kPacked);
    ASSERT_TRUE(Publish(Options()).ok());
  }

  Status Verify(const char* public_key_hex = kDevelopmentPublicKeyHex) {
    publishing::PublicKey key{};
    publishing::ParsePublicKeyHex(public_key_hex, key);
    std::ostringstream progress;
    return publish::VerifySite(site(), key, progress, summary_);
  }

  static void FlipFirstByte(const std::filesystem::path& file) {
    std::string content = ReadFile(file);
    content[0] = static_cast<char>(content[0] ^ 1);
    WriteFile(file, content);
  }

  const std::string kPacked = std::string(3000, 'p');
  publish::VerifySummary summary_;
};

TEST_F(VerifyTest, PassesOnAPublishedSite) {
  ASSERT_TRUE(Verify().ok());
  EXPECT_EQ(summary_.serial, 1u);
  EXPECT_EQ(summary_.files, 4u);
  EXPECT_EQ(summary_.objects, 3u);
}

TEST_F(VerifyTest, NamesEveryDamagedObjectAndThePathsThatUseIt) {
  const std::string shared = Sha256Hex("shared");
  const std::string packed = Sha256Hex(kPacked);
  const std::string exe = Sha256Hex("MZ");
  struct Case {
    const char* name;
    std::function<void()> damage;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"flipped byte",
       [&] { FlipFirstByte(ObjectFile(shared, false)); },
       {"objects/" + shared.substr(0, 2) + "/" + shared + ": SHA-256 differs (used by a/one.txt, b/two.txt)"}},
      {"flipped gzip byte",
       [&] { FlipFirstByte(ObjectFile(packed, true)); },
       {"objects/" + packed.substr(0, 2) + "/" + packed + ".gz: does not inflate (used by packed.txt)"}},
      {"deleted object",
       [&] { std::filesystem::remove(ObjectFile(exe, false)); },
       {"objects/" + exe.substr(0, 2) + "/" + exe + ": missing (used by game.exe)"}},
      {"truncated object",
       [&] { WriteFile(ObjectFile(exe, false), "M"); },
       {": is 1 bytes, expected 2 (used by game.exe)"}},
      {"two objects",
       [&] {
         std::filesystem::remove(ObjectFile(exe, false));
         std::filesystem::remove(ObjectFile(packed, true));
       },
       {"2 of 3 objects are missing or damaged", "/" + exe + ": missing", "/" + packed + ".gz: missing"}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(site());
    ASSERT_TRUE(Publish(Options()).ok()) << c.name;
    c.damage();
    const Status status = Verify();
    EXPECT_EQ(status.kind, StatusKind::Corrupt) << c.name;
    for (const std::string& text : c.expected) EXPECT_THAT(status.message, HasSubstr(text)) << c.name;
  }
}

TEST_F(VerifyTest, RefusesAManifestALauncherWouldRefuse) {
  const std::string other_key(64, '1');
  EXPECT_EQ(Verify(other_key.c_str()).kind, StatusKind::Signature);

  const std::string envelope = ReadFile(site() / "manifest.json");
  const std::size_t payload_start = envelope.find("\"payload\":\"") + 11;
  std::string tampered = envelope;
  tampered[payload_start + 20] = tampered[payload_start + 20] == 'A' ? 'B' : 'A';
  WriteFile(site() / "manifest.json", tampered);
  EXPECT_EQ(Verify().kind, StatusKind::Signature);

  std::filesystem::remove(site() / "manifest.json");
  const Status missing = Verify();
  EXPECT_EQ(missing.kind, StatusKind::Corrupt);
  EXPECT_THAT(missing.message, HasSubstr("no manifest.json"));
}

}  // namespace
}  // namespace dkl::testing
