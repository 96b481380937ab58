// Chunk indexes on a published site: which files get one, what the object holds, and what verify
// finds when the index and the plain object it describes part ways.
#include "publish/chunk_indexing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "publish/keys.h"
#include "publish/site_manifest.h"
#include "publish/verify.h"
#include "publishing/signing.h"
#include "support/development_key.h"
#include "tools/site_fixture.h"
#include "update/chunk_index_builder.h"

namespace dkl::testing {
namespace {

using ::testing::HasSubstr;

constexpr std::size_t kLargeBytes = 300000;

class ChunkIndexingTest : public SiteFixture {
 protected:
  void SetUp() override {
    AddGameFile("game.exe", "MZ");
    AddGameFile("data/big.pak", big_);
    AddGameFile("data/copy.pak", big_);  // hashed on another thread, one index for both
    AddGameFile("data/text.pak", text_);  // served as gzip, and plain for byte ranges
    AddGameFile("data/small.dat", Incompressible(1000));
  }

  Manifest PublishAndOpen(const publish::PublishOptions& options, publish::PublishSummary* summary = nullptr) {
    Manifest manifest;
    EXPECT_TRUE(Publish(options, summary).ok());
    EXPECT_TRUE(OpenPublished(manifest).ok());
    return manifest;
  }

  static const FileEntry& Entry(const Manifest& manifest, const std::string& path) {
    return *std::find_if(manifest.files.begin(), manifest.files.end(),
                         [&](const FileEntry& entry) { return entry.path == path; });
  }

  Status Verify() {
    publishing::PublicKey key{};
    publishing::ParsePublicKeyHex(kDevelopmentPublicKeyHex, key);
    std::ostringstream progress;
    publish::VerifySummary summary;
    return publish::VerifySite(site(), key, progress, summary);
  }

  const std::string big_ = Incompressible(kLargeBytes);
  const std::string text_ = std::string(kLargeBytes, 't');
};

TEST_F(ChunkIndexingTest, IndexesTheFilesFromTheThresholdOnAndStoresEachIndexAsAnObject) {
  publish::PublishSummary summary;
  const Manifest manifest = PublishAndOpen(Options(), &summary);
  EXPECT_FALSE(Entry(manifest, "game.exe").chunk_index);
  EXPECT_FALSE(Entry(manifest, "data/small.dat").chunk_index);
  EXPECT_EQ(Entry(manifest, "data/copy.pak").chunk_index, Entry(manifest, "data/big.pak").chunk_index);
  EXPECT_EQ(summary.chunk_indexes, 2u);
  for (const auto& [path, content] : {std::pair{"data/big.pak", &big_}, std::pair{"data/text.pak", &text_}}) {
    const FileEntry& entry = Entry(manifest, path);
    ASSERT_TRUE(entry.chunk_index) << path;
    const std::string bytes = ReadFile(ObjectFile(entry.chunk_index->sha256, false));
    EXPECT_EQ(bytes.size(), entry.chunk_index->size) << path;
    EXPECT_EQ(Sha256Hex(bytes), entry.chunk_index->sha256) << path;
    ChunkIndex index;
    ASSERT_TRUE(ParseChunkIndex(AsBytes(bytes), index).ok()) << path;
    ChunkIndexBuilder builder(publish::kPublishedChunkParams);
    builder.Feed(AsBytes(*content));
    EXPECT_EQ(index, builder.Finish()) << path;
    EXPECT_EQ(ReadFile(ObjectFile(entry.sha256, false)), *content) << path << ": the plain object stays";
  }
  EXPECT_TRUE(Entry(manifest, "data/text.pak").gz);
  EXPECT_TRUE(Verify().ok());
}

TEST_F(ChunkIndexingTest, TheThresholdIsTheOperatorsAndIndexesCanBeLeftOut) {
  publish::PublishOptions low = Options();
  low.chunk_index_threshold = 1000;
  Manifest manifest = PublishAndOpen(low);
  EXPECT_TRUE(Entry(manifest, "data/small.dat").chunk_index);
  EXPECT_FALSE(Entry(manifest, "game.exe").chunk_index);

  publish::PublishOptions none = Options(2);
  none.chunk_index_threshold.reset();
  manifest = PublishAndOpen(none);
  for (const FileEntry& entry : manifest.files) EXPECT_FALSE(entry.chunk_index) << entry.path;
}

TEST_F(ChunkIndexingTest, RepublishingNamesTheSameIndexAndWritesNothingNew) {
  const Manifest first = PublishAndOpen(Options(1));
  const std::vector<std::string> files = SiteFiles();
  publish::PublishSummary summary;
  const Manifest second = PublishAndOpen(Options(2), &summary);
  EXPECT_EQ(Entry(second, "data/big.pak").chunk_index, Entry(first, "data/big.pak").chunk_index);
  EXPECT_EQ(SiteFiles(), files);
  EXPECT_EQ(summary.new_objects, 0u);
}

TEST_F(ChunkIndexingTest, VerifyNamesADamagedOrMissingIndexAndAMissingPlainObject) {
  const Manifest manifest = PublishAndOpen(Options());
  const FileEntry& big = Entry(manifest, "data/big.pak");
  const FileEntry& text = Entry(manifest, "data/text.pak");
  const std::string big_index = "objects/" + big.chunk_index->sha256.substr(0, 2) + "/" + big.chunk_index->sha256;
  const struct {
    const char* name;
    std::function<void()> damage;
    std::string says;
  } cases[] = {
      {"flipped index byte",
       [&] {
         std::string bytes = ReadFile(ObjectFile(big.chunk_index->sha256, false));
         bytes[40] = static_cast<char>(bytes[40] ^ 1);
         WriteFile(ObjectFile(big.chunk_index->sha256, false), bytes);
       },
       big_index + ": SHA-256 differs (chunk index of data/big.pak, data/copy.pak)"},
      {"index missing", [&] { std::filesystem::remove(ObjectFile(big.chunk_index->sha256, false)); },
       big_index + ": missing (chunk index of data/big.pak, data/copy.pak)"},
      {"plain object of a gzip-served file missing", [&] { std::filesystem::remove(ObjectFile(text.sha256, false)); },
       "/" + text.sha256 + ": missing (chunk index of data/text.pak)"},
  };
  for (const auto& c : cases) {
    const std::filesystem::path saved = temp_ / "saved";
    std::filesystem::remove_all(saved);
    std::filesystem::copy(site(), saved, std::filesystem::copy_options::recursive);
    c.damage();
    const Status status = Verify();
    EXPECT_EQ(status.kind, StatusKind::Corrupt) << c.name;
    EXPECT_THAT(status.message, HasSubstr(c.says)) << c.name;
    std::filesystem::remove_all(site());
    std::filesystem::rename(saved, site());
  }
}

// An index that is well formed and named by its own hash, but cut with other parameters than the
// ones it records, would send launchers after ranges that prove wrong: verify chunks anew.
TEST_F(ChunkIndexingTest, VerifyRefusesAnIndexThatDoesNotDescribeItsObject) {
  Manifest manifest = PublishAndOpen(Options());
  ChunkIndexBuilder builder({2048, 4096, 16384});
  builder.Feed(AsBytes(big_));
  ChunkIndex wrong = builder.Finish();
  wrong.params = publish::kPublishedChunkParams;
  FileEntry& big = manifest.files[0];
  ASSERT_EQ(big.path, "data/big.pak");  // files are listed in byte order
  manifest.files[1].chunk_index.reset();  // data/copy.pak
  ASSERT_TRUE(publish::StoreChunkIndex(site(), wrong, *big.chunk_index).ok());
  publishing::SigningKey key;
  std::string envelope;
  ASSERT_TRUE(publish::ReadSigningKeyFile(key_file().string(), key).ok());
  ASSERT_TRUE(publish::SignManifestForSite(manifest, key, envelope).ok());
  ASSERT_TRUE(publish::WriteManifestFile(site(), envelope).ok());

  const Status status = Verify();
  EXPECT_EQ(status.kind, StatusKind::Corrupt);
  EXPECT_THAT(status.message, HasSubstr(": does not match the chunks of objects/"));
}

}  // namespace
}  // namespace dkl::testing
