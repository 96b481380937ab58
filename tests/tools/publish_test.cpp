#include "publish/publish.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include "publish/site_manifest.h"
#include "publishing/gzip.h"
#include "publishing/manifest_json.h"
#include "publishing/signing.h"
#include "support/development_key.h"
#include "tools/site_fixture.h"

namespace dkl::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string Inflated(const std::string& gzip) {
  z_stream stream{};
  inflateInit2(&stream, 15 + 16);
  std::string content(1 << 20, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.data()));
  stream.avail_in = static_cast<uInt>(gzip.size());
  stream.next_out = reinterpret_cast<Bytef*>(content.data());
  stream.avail_out = static_cast<uInt>(content.size());
  const int result = inflate(&stream, Z_FINISH);
  content.resize(result == Z_STREAM_END ? stream.total_out : 0);
  inflateEnd(&stream);
  return content;
}

class PublishTest : public SiteFixture {};

TEST_F(PublishTest, ListsEveryFileInByteOrderAndStoresItsContentUnderItsHash) {
  AddGameFile("game.exe", "MZ game");
  AddGameFile("data/b.dat", "bee");
  AddGameFile("data-x/a.dat", "");  // '-' sorts before '/', so this comes first
  AddGameFile("Data2/Ä.txt", "umlaut");
  publish::PublishOptions options = Options(7);
  ASSERT_TRUE(Publish(options).ok());

  Manifest manifest;
  ASSERT_TRUE(OpenPublished(manifest).ok());
  EXPECT_EQ(manifest.schema, 2u);
  EXPECT_EQ(manifest.serial, 7u);
  EXPECT_EQ(manifest.client_version, "1.4.2");
  EXPECT_EQ(manifest.client_build, 1402u);
  EXPECT_EQ(manifest.game_exe, "game.exe");
  EXPECT_FALSE(manifest.launcher);
  std::vector<std::string> paths;
  for (const FileEntry& file : manifest.files) {
    paths.push_back(file.path);
    const std::string content = ReadFile(game() / file.path);
    EXPECT_EQ(file.sha256, Sha256Hex(content)) << file.path;
    EXPECT_EQ(file.size, content.size()) << file.path;
    EXPECT_EQ(ReadFile(ObjectFile(file.sha256, false)), content) << file.path;
  }
  EXPECT_THAT(paths, ElementsAre("Data2/Ä.txt", "data-x/a.dat", "data/b.dat", "game.exe"));
}

TEST_F(PublishTest, StoresEachContentOnceAndCountsIt) {
  AddGameFile("game.exe", "MZ");
  AddGameFile("a/copy1.txt", "same words");
  AddGameFile("b/copy2.txt", "same words");
  publish::PublishSummary summary;
  ASSERT_TRUE(Publish(Options(), &summary).ok());
  const std::string same = Sha256Hex("same words");
  const std::string exe = Sha256Hex("MZ");
  std::vector<std::string> expected = {"manifest.json", "objects/" + same.substr(0, 2) + "/" + same,
                                       "objects/" + exe.substr(0, 2) + "/" + exe};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(SiteFiles(), expected);
  EXPECT_EQ(summary.files, 3u);
  EXPECT_EQ(summary.objects, 2u);
  EXPECT_EQ(summary.new_objects, 2u);
  EXPECT_EQ(summary.bytes, 22u);
}

TEST_F(PublishTest, ServesGzipOnlyWhereItSavesEnough) {
  struct Case {
    const char* path;
    std::string content;
    bool gz;
  };
  const Case cases[] = {
      {"text.txt", std::string(20000, 'a'), true},
      {"random.bin", Incompressible(20000), false},
      {"short.txt", std::string(512, 'a'), false},  // gzip could save at most 512 bytes, not more
      {"game.exe", std::string(600, 'a'), true},
  };
  for (const Case& c : cases) AddGameFile(c.path, c.content);
  ASSERT_TRUE(Publish(Options()).ok());
  Manifest manifest;
  ASSERT_TRUE(OpenPublished(manifest).ok());
  for (const Case& c : cases) {
    const auto file = std::find_if(manifest.files.begin(), manifest.files.end(),
                                   [&](const FileEntry& entry) { return entry.path == c.path; });
    ASSERT_NE(file, manifest.files.end()) << c.path;
    EXPECT_EQ(ReadFile(ObjectFile(file->sha256, false)), c.content) << c.path;
    const std::string gzip = ReadFile(ObjectFile(file->sha256, true));
    EXPECT_EQ(file->gz.has_value(), c.gz) << c.path;
    EXPECT_EQ(std::filesystem::exists(ObjectFile(file->sha256, true)), c.gz) << c.path;
    if (!c.gz) continue;
    EXPECT_EQ(file->gz, gzip.size()) << c.path;
    EXPECT_EQ(Inflated(gzip), c.content) << c.path;
  }
}

TEST_F(PublishTest, PublishesTheLauncherAsAnObject) {
  AddGameFile("game.exe", "MZ");
  const std::string launcher = "MZ launcher " + std::string(4000, 'L');
  WriteFile(temp_ / "DuskcrownLauncher.exe", launcher);
  publish::PublishOptions options = Options();
  options.launcher = publish::LauncherSource{temp_ / "DuskcrownLauncher.exe", "2.0.2"};
  ASSERT_TRUE(Publish(options).ok());
  Manifest manifest;
  ASSERT_TRUE(OpenPublished(manifest).ok());
  ASSERT_TRUE(manifest.launcher);
  EXPECT_EQ(manifest.launcher->version, "2.0.2");
  EXPECT_EQ(manifest.launcher->sha256, Sha256Hex(launcher));
  EXPECT_EQ(manifest.launcher->size, launcher.size());
  ASSERT_TRUE(manifest.launcher->gz);
  EXPECT_EQ(ReadFile(ObjectFile(manifest.launcher->sha256, false)), launcher);
  EXPECT_EQ(Inflated(ReadFile(ObjectFile(manifest.launcher->sha256, true))), launcher);
  EXPECT_EQ(manifest.files.size(), 1u);
}

TEST_F(PublishTest, RefusesUnpublishableNamesListingEveryOneAndWritesNothing) {
  AddGameFile("game.exe", "MZ");
  AddGameFile(".git/config", "x");
  AddGameFile("aux.txt", "x");
  AddGameFile("a/b ", "x");
  AddGameFile("a/fine.txt", "x");
  AddGameFile("bad\xff.txt", "x");
  AddGameFile(std::string(241, 'n'), "x");
  std::filesystem::create_symlink("game.exe", game() / "link.exe");
  const Status status = Publish(Options());
  EXPECT_EQ(status.kind, StatusKind::Manifest);
  EXPECT_THAT(status.message, HasSubstr("cannot publish 6 paths"));
  for (const std::string& path :
       std::vector<std::string>{".git/config", "aux.txt", "a/b ", "bad\xff.txt: name is not UTF-8",
                                std::string(241, 'n') + ": path is longer than 240 bytes", "link.exe: symbolic link"}) {
    EXPECT_THAT(status.message, HasSubstr("\n  " + path)) << path;
  }
  EXPECT_THAT(status.message, ::testing::Not(HasSubstr("fine.txt")));
  EXPECT_FALSE(std::filesystem::exists(site()));
}

TEST_F(PublishTest, RefusesWhatValidationRefusesBeforeWritingAnything) {
  struct Case {
    std::vector<std::string> files;
    std::string game_exe;
    const char* message;
  };
  const Case cases[] = {
      {{"game.exe", "Data/Readme.txt", "data/README.TXT"}, "game.exe", "duplicate \"data/README.TXT\""},
      {{"game.exe"}, "bin/game.exe", "game exe not listed"},
      {{}, "game.exe", "file count"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(game());
    std::filesystem::create_directories(game());
    for (const std::string& file : c.files) AddGameFile(file, file);
    publish::PublishOptions options = Options();
    options.game_exe = c.game_exe;
    const Status status = Publish(options);
    EXPECT_EQ(status.kind, StatusKind::Manifest) << c.message;
    EXPECT_THAT(status.message, HasSubstr(c.message));
    EXPECT_FALSE(std::filesystem::exists(site())) << c.message;
  }
}

TEST_F(PublishTest, RefusesASiteInsideTheGameFolder) {
  AddGameFile("game.exe", "MZ");
  publish::PublishOptions options = Options();
  options.site = game() / "site";
  EXPECT_EQ(Publish(options).kind, StatusKind::Invalid);
  EXPECT_FALSE(std::filesystem::exists(options.site));
}

TEST_F(PublishTest, AcceptsOnlyASerialAboveThePublishedOne) {
  AddGameFile("game.exe", "MZ");
  ASSERT_TRUE(Publish(Options(5)).ok());
  struct Case {
    std::uint64_t serial;
    bool allow_reuse;
    StatusKind expected;
  };
  const Case cases[] = {
      {5, false, StatusKind::Rollback}, {4, false, StatusKind::Rollback},
      {4, true, StatusKind::Rollback},  // reuse means the same serial, never a lower one
      {5, true, StatusKind::Ok},        {6, false, StatusKind::Ok},
      {6, false, StatusKind::Rollback},
  };
  for (const Case& c : cases) {
    AddGameFile("game.exe", "MZ " + std::to_string(c.serial));  // tells which run wrote the manifest
    const std::string before = ReadFile(site() / "manifest.json");
    publish::PublishOptions options = Options(c.serial);
    options.allow_serial_reuse = c.allow_reuse;
    EXPECT_EQ(Publish(options).kind, c.expected) << c.serial << " " << c.allow_reuse;
    EXPECT_EQ(ReadFile(site() / "manifest.json") == before, c.expected != StatusKind::Ok) << c.serial;
  }
}

TEST_F(PublishTest, RefusesASiteWhoseManifestCannotBeRead) {
  AddGameFile("game.exe", "MZ");
  WriteFile(site() / "manifest.json", "{\"payload\": \"bm90IGpzb24=\", \"signature\": \"\"}");
  const Status status = Publish(Options());
  EXPECT_EQ(status.kind, StatusKind::Manifest);
  EXPECT_THAT(status.message, HasSubstr("manifest.json holds no readable manifest"));
}

TEST_F(PublishTest, RepublishingWritesNoObjectTwice) {
  AddGameFile("game.exe", "MZ");
  AddGameFile("big.txt", std::string(5000, 'b'));
  ASSERT_TRUE(Publish(Options(1)).ok());
  const auto written = std::filesystem::last_write_time(ObjectFile(Sha256Hex(std::string(5000, 'b')), true));
  AddGameFile("new.txt", "new");
  publish::PublishSummary summary;
  ASSERT_TRUE(Publish(Options(2), &summary).ok());
  EXPECT_EQ(summary.objects, 3u);
  EXPECT_EQ(summary.new_objects, 1u);
  EXPECT_EQ(summary.gz_objects, 1u);
  EXPECT_EQ(std::filesystem::last_write_time(ObjectFile(Sha256Hex(std::string(5000, 'b')), true)), written);
  Manifest manifest;
  ASSERT_TRUE(OpenPublished(manifest).ok());
  EXPECT_EQ(manifest.files.size(), 3u);
  EXPECT_TRUE(manifest.files[0].gz);  // the existing gzip object is served again
}

TEST_F(PublishTest, KeepsExistingObjectsAndRefusesOnesThatCannotHoldTheContent) {
  const std::string content(2000, 'c');
  const std::string sha = Sha256Hex(content);
  Bytes gzip;
  ASSERT_TRUE(publishing::GzipCompress(AsBytes(std::string(2000, 'd')), gzip).ok());
  struct Case {
    const char* name;
    bool gz;
    std::string existing;
    StatusKind expected;
  };
  const Case cases[] = {
      // Same size, other bytes: the publisher checks plain objects by size only and leaves them.
      {"plain of the right size", false, std::string(2000, 'x'), StatusKind::Ok},
      {"plain of another size", false, "short", StatusKind::Corrupt},
      {"gzip of other content", true, std::string(AsText(gzip)), StatusKind::Corrupt},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(site());
    WriteFile(ObjectFile(sha, c.gz), c.existing);
    AddGameFile("game.exe", content);
    const Status status = Publish(Options());
    EXPECT_EQ(status.kind, c.expected) << c.name;
    EXPECT_EQ(ReadFile(ObjectFile(sha, c.gz)), c.existing) << c.name;
    if (status.ok()) continue;
    EXPECT_THAT(status.message, HasSubstr("existing object objects/" + sha.substr(0, 2) + "/" + sha)) << c.name;
    EXPECT_FALSE(std::filesystem::exists(site() / "manifest.json")) << c.name;
  }
}

TEST_F(PublishTest, RefusesAKeyFileThatHoldsNoKey) {
  AddGameFile("game.exe", "MZ");
  std::string damaged = kDevelopmentSecretKeyHex;
  damaged.back() = damaged.back() == '0' ? '1' : '0';  // the public half no longer matches the seed
  const std::pair<std::string, StatusKind> cases[] = {
      {"not a key", StatusKind::Signature},
      {damaged, StatusKind::Signature},
  };
  for (const auto& [text, kind] : cases) {
    WriteFile(key_file(), text);
    EXPECT_EQ(Publish(Options()).kind, kind) << text;
  }
  std::filesystem::remove(key_file());
  EXPECT_EQ(Publish(Options()).kind, StatusKind::Io);
  EXPECT_FALSE(std::filesystem::exists(site()));
}

TEST(SignManifestForSite, RefusesAnEnvelopeLargerThanALauncherDownloads) {
  publishing::SigningKey key;
  ASSERT_TRUE(publishing::ParseSigningKeyHex(kDevelopmentSecretKeyHex, key));
  Manifest manifest;
  manifest.schema = 2;
  manifest.client_version = "1";
  const std::string folder(195, 'f');
  manifest.game_exe = folder + "/0";
  // Each entry takes about 32 + 64 + 200 + 6 bytes of payload, four thirds of that in the envelope.
  const auto envelope_for = [&](std::size_t files) {
    manifest.files.clear();
    for (std::size_t i = 0; i < files; ++i) {
      manifest.files.push_back({folder + "/" + std::to_string(i), std::string(64, 'a'), 100000, std::nullopt});
    }
    std::string envelope;
    const Status status = publish::SignManifestForSite(manifest, key, envelope);
    return std::make_pair(status, envelope.size());
  };
  const auto [fits, fitting_size] = envelope_for(20000);
  EXPECT_TRUE(fits.ok()) << fits.message;
  EXPECT_LE(fitting_size, publish::kLauncherManifestFetchLimit);
  const auto [too_large, size] = envelope_for(21000);
  EXPECT_EQ(too_large.kind, StatusKind::Manifest);
  EXPECT_THAT(too_large.message, HasSubstr("more than the 8388608 a launcher downloads"));
  EXPECT_GT(size, publish::kLauncherManifestFetchLimit);
}

}  // namespace
}  // namespace dkl::testing
