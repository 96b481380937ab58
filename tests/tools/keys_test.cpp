#include "publish/keys.h"

#include <gtest/gtest.h>
#include <sodium.h>
#include <sys/stat.h>

#include "support/development_key.h"
#include "support/temp_dir.h"

namespace dkl::testing {
namespace {

TEST(GenerateKeyFiles, WritesAPairThatSignsAndVerifiesWithTheSecretHalfPrivate) {
  TempDir temp;
  const std::string prefix = (temp / "release").string();
  std::string public_hex;
  ASSERT_TRUE(publish::GenerateKeyFiles(prefix, public_hex).ok());

  struct stat info {};
  ASSERT_EQ(stat((prefix + ".secret").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(ReadFile(prefix + ".public"), public_hex + "\n");

  publishing::SigningKey key;
  ASSERT_TRUE(publish::ReadSigningKeyFile(prefix + ".secret", key).ok());
  publishing::PublicKey public_key{};
  ASSERT_TRUE(publish::ReadPublicKeyArgument(prefix + ".public", public_key).ok());
  const Bytes payload = {1, 2, 3};
  const auto signature = publishing::SignPayload(payload, key);
  EXPECT_EQ(crypto_sign_verify_detached(signature.data(), payload.data(), payload.size(), public_key.data()), 0);
}

TEST(GenerateKeyFiles, NeverOverwritesAKey) {
  TempDir temp;
  const std::string prefix = (temp / "release").string();
  for (const char* existing : {".secret", ".public"}) {
    WriteFile(prefix + existing, "keep me");
    std::string public_hex;
    EXPECT_EQ(publish::GenerateKeyFiles(prefix, public_hex).kind, StatusKind::Io) << existing;
    EXPECT_EQ(ReadFile(prefix + existing), "keep me") << existing;
    EXPECT_EQ(std::filesystem::exists(prefix + ".secret") + std::filesystem::exists(prefix + ".public"), 1)
        << "nothing is left half-made beside " << existing;
    std::filesystem::remove(prefix + existing);
  }
}

TEST(ReadPublicKeyArgument, TakesDigitsOrAFileHoldingThem) {
  TempDir temp;
  WriteFile(temp / "dev.public", std::string(kDevelopmentPublicKeyHex) + "\n");
  WriteFile(temp / "short.public", "abcd");
  const std::pair<std::string, StatusKind> cases[] = {
      {kDevelopmentPublicKeyHex, StatusKind::Ok},
      {(temp / "dev.public").string(), StatusKind::Ok},
      {(temp / "short.public").string(), StatusKind::Invalid},
      {(temp / "absent.public").string(), StatusKind::Invalid},
      {std::string(63, 'a'), StatusKind::Invalid},
  };
  for (const auto& [text, kind] : cases) {
    publishing::PublicKey key{};
    const Status status = publish::ReadPublicKeyArgument(text, key);
    EXPECT_EQ(status.kind, kind) << text;
    if (status.ok()) {
      EXPECT_EQ(publishing::ToHex(key), kDevelopmentPublicKeyHex);
    }
  }
}

}  // namespace
}  // namespace dkl::testing
