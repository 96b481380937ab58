#include "update/sha256.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <random>
#include <string>
#include <vector>

namespace dkl {
namespace {

struct Engine {
  const char* name;
  Sha256 (*make)();
};

const Engine kEngines[] = {{"Selected", [] { return Sha256(); }}, {"Portable", &Sha256::Portable}};

std::string RandomBytes(std::size_t size, std::mt19937& random) {
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xff);
  return bytes;
}

// libsodium's SHA-256, an implementation of its own to check against.
std::string ReferenceHex(std::string_view message) {
  Sha256Digest digest;
  crypto_hash_sha256(digest.data(), reinterpret_cast<const unsigned char*>(message.data()), message.size());
  return Sha256Hex(digest);
}

// Feeds `message` in pieces ending at each of `cuts` (ascending), then the rest.
std::string HexOfPieces(Sha256& hash, std::string_view message, const std::vector<std::size_t>& cuts) {
  std::size_t start = 0;
  for (const std::size_t cut : cuts) {
    hash.Update(AsBytes(message.substr(start, cut - start)));
    start = cut;
  }
  hash.Update(AsBytes(message.substr(start)));
  return Sha256Hex(hash.Finish());
}

std::vector<std::size_t> EveryStep(std::size_t step, std::size_t size) {
  std::vector<std::size_t> cuts;
  for (std::size_t cut = step; cut < size; cut += step) cuts.push_back(cut);
  return cuts;
}

class Sha256Engines : public ::testing::TestWithParam<Engine> {};

TEST_P(Sha256Engines, NistVectors) {
  const struct {
    std::string message;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& [message, digest] : cases) {
    Sha256 hash = GetParam().make();
    hash.Update(AsBytes(message));
    EXPECT_EQ(Sha256Hex(hash.Finish()), digest) << message.size() << " bytes";
  }
}

TEST_P(Sha256Engines, EverySplitOfTheMessageGivesTheSameDigest) {
  std::mt19937 random(7);
  const std::string message = RandomBytes(1000, random);
  const std::string expected = ReferenceHex(message);
  std::vector<std::vector<std::size_t>> splits = {EveryStep(1, message.size())};
  for (const std::size_t boundary : {55, 56, 63, 64, 65}) {
    splits.push_back({boundary});
    splits.push_back(EveryStep(boundary, message.size()));
  }
  for (int run = 0; run < 20; ++run) {
    std::vector<std::size_t> cuts;
    for (std::size_t cut = random() % 130; cut < message.size(); cut += random() % 130) cuts.push_back(cut);
    splits.push_back(cuts);
  }
  // One hash for all splits: Finish must start it over.
  Sha256 hash = GetParam().make();
  for (const auto& cuts : splits) {
    EXPECT_EQ(HexOfPieces(hash, message, cuts), expected) << cuts.size() << " cuts, first at " << cuts.front();
  }
}

INSTANTIATE_TEST_SUITE_P(Compressors, Sha256Engines, ::testing::ValuesIn(kEngines),
                         [](const auto& engine) { return std::string(engine.param.name); });

TEST(Sha256, BothCompressorsAgreeWithTheReferenceOnEveryLengthUpTo300) {
  std::mt19937 random(11);
  for (std::size_t size = 0; size <= 300; ++size) {
    const std::string message = RandomBytes(size, random);
    Sha256 selected;
    Sha256 portable = Sha256::Portable();
    selected.Update(AsBytes(message));
    portable.Update(AsBytes(message));
    const std::string expected = ReferenceHex(message);
    EXPECT_EQ(Sha256Hex(selected.Finish()), expected) << size << " bytes";
    EXPECT_EQ(Sha256Hex(portable.Finish()), expected) << size << " bytes";
  }
}

}  // namespace
}  // namespace dkl
