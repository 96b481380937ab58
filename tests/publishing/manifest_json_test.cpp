#include "publishing/manifest_json.h"

#include <gtest/gtest.h>

#include "base/json_object.h"

namespace dkl {
namespace {

Manifest FullManifest() {
  Manifest manifest;
  manifest.schema = 2;
  manifest.serial = 18446744073709551615u;
  manifest.client_version = "1.4.2 «beta»";
  manifest.client_build = 1402;
  manifest.game_exe = "bin/Game.exe";
  manifest.launcher = LauncherEntry{"2.0.2", std::string(64, 'a'), 4294967296, 1234};
  manifest.files = {
      {"bin/Game.exe", std::string(64, 'b'), 10, std::nullopt},
      {"data/ñ.dat", std::string(64, 'c'), 0, 20, ChunkIndexRef{std::string(64, 'd'), 3636}},
  };
  return manifest;
}

void ExpectSame(const Manifest& parsed, const Manifest& written) {
  EXPECT_EQ(parsed.schema, written.schema);
  EXPECT_EQ(parsed.serial, written.serial);
  EXPECT_EQ(parsed.client_version, written.client_version);
  EXPECT_EQ(parsed.client_build, written.client_build);
  EXPECT_EQ(parsed.game_exe, written.game_exe);
  ASSERT_EQ(parsed.launcher.has_value(), written.launcher.has_value());
  if (written.launcher) {
    EXPECT_EQ(parsed.launcher->version, written.launcher->version);
    EXPECT_EQ(parsed.launcher->sha256, written.launcher->sha256);
    EXPECT_EQ(parsed.launcher->size, written.launcher->size);
    EXPECT_EQ(parsed.launcher->gz, written.launcher->gz);
  }
  ASSERT_EQ(parsed.files.size(), written.files.size());
  for (std::size_t i = 0; i < written.files.size(); ++i) {
    EXPECT_EQ(parsed.files[i].path, written.files[i].path);
    EXPECT_EQ(parsed.files[i].sha256, written.files[i].sha256);
    EXPECT_EQ(parsed.files[i].size, written.files[i].size);
    EXPECT_EQ(parsed.files[i].gz, written.files[i].gz);
    EXPECT_EQ(parsed.files[i].chunk_index, written.files[i].chunk_index);
  }
}

TEST(SerializeManifest, ParsesBackToTheSameManifest) {
  Manifest without_launcher = FullManifest();
  without_launcher.launcher.reset();
  without_launcher.client_build = 0;
  for (const Manifest& written : {FullManifest(), without_launcher}) {
    Manifest parsed;
    ASSERT_TRUE(ParseManifest(AsBytes(publishing::SerializeManifest(written)), parsed).ok());
    ExpectSame(parsed, written);
  }
}

TEST(SerializeManifest, WritesOnlyTheMembersThatApply) {
  Manifest manifest = FullManifest();
  manifest.launcher->gz.reset();
  const std::string text = publishing::SerializeManifest(manifest);
  const nlohmann::json document = ParseJsonObject(AsBytes(text));
  EXPECT_EQ(document["launcher"].size(), 3u);
  EXPECT_FALSE(document["files"][0].contains("gz"));
  EXPECT_FALSE(document["files"][0].contains("chunk_index"));
  EXPECT_EQ(document["files"][1]["chunk_index"], nlohmann::json({{"sha256", std::string(64, 'd')}, {"size", 3636}}));
  EXPECT_EQ(document["files"][1]["gz"], 20);
  EXPECT_EQ(document["client"]["build"], 1402);
  EXPECT_NE(text.find("data/ñ.dat"), std::string::npos) << "UTF-8 is written as it is";
  manifest.launcher.reset();
  EXPECT_FALSE(ParseJsonObject(AsBytes(publishing::SerializeManifest(manifest))).contains("launcher"));
}

}  // namespace
}  // namespace dkl
