#include "gfx/display_settings_win.h"

#include <gtest/gtest.h>

#include "base/json_object.h"
#include "support/file_hold_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::HoldWithoutSharing;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr char kDefaultFile[] =
    "{\n  \"display\": {\n    \"ambientLighting\": true,\n    \"bodyAuras\": true,\n    \"borderless\": false,\n"
    "    \"captureMouse\": false,\n    \"detailLevel\": 2,\n    \"fpsLimit\": 0,\n    \"fullscreen\": false,\n"
    "    \"fullscreenStretch\": true,\n    \"vsync\": false\n  },\n  \"window\": {\n    \"height\": 600,\n"
    "    \"width\": 800\n  }\n}";

TEST(DisplaySettingsFile, MissingFileGivesDefaultsAndSavingCreatesIt) {
  TempDir game;
  EXPECT_EQ(LoadDisplaySettings(game.path()), DisplaySettings{});
  ASSERT_TRUE(SaveDisplaySettings(game.path(), DisplaySettings{}).ok());
  EXPECT_EQ(ReadFile(game / "settings.json"), kDefaultFile);
  EXPECT_FALSE(std::filesystem::exists(game / "settings.json.tmp"));
}

TEST(DisplaySettingsFile, SavedValuesLoadBackAndTheGamesMembersSurvive) {
  TempDir game;
  WriteFile(game / "settings.json",
            R"({"profile": {"name": "Añil"}, "display": {"gamma": 1.5}, "window": {"x": 40}})");
  DisplaySettings settings;
  settings.mode = WindowMode::Fullscreen;
  settings.width = 1440;
  settings.height = 1080;
  settings.fullscreenStretch = false;
  settings.fpsLimit = 240;
  settings.captureMouse = true;
  settings.ambientLighting = false;
  settings.detailLevel = 1;
  ASSERT_TRUE(SaveDisplaySettings(game.path(), settings).ok());
  EXPECT_EQ(LoadDisplaySettings(game.path()), settings);

  const std::string text = ReadFile(game / "settings.json");
  const nlohmann::json saved = ParseJsonObject(AsBytes(text));
  EXPECT_EQ(saved["profile"]["name"], "Añil");
  EXPECT_EQ(saved["display"]["gamma"], 1.5);
  EXPECT_EQ(saved["window"]["x"], 40);
  EXPECT_NE(text.find("\"name\": \"Añil\""), std::string::npos);
  EXPECT_NE(text.back(), '\n');
}

TEST(DisplaySettingsFile, RefusedValuesLeaveTheFileAlone) {
  TempDir game;
  const std::string original = R"({"window": {"width": 1366, "height": 768}, "display": {"fpsLimit": 0}})";
  WriteFile(game / "settings.json", original);
  DisplaySettings settings = LoadDisplaySettings(game.path());
  EXPECT_EQ(settings.width, 1366u);
  EXPECT_EQ(settings.height, 768u);

  Status status = SaveDisplaySettings(game.path(), settings);
  EXPECT_EQ(status.kind, StatusKind::Invalid);
  EXPECT_EQ(status.message, "1366x768");

  settings.width = 1024;
  settings.fpsLimit = 75;
  status = SaveDisplaySettings(game.path(), settings);
  EXPECT_EQ(status.kind, StatusKind::Invalid);
  EXPECT_EQ(status.message, "fps 75");

  EXPECT_EQ(ReadFile(game / "settings.json"), original);
  EXPECT_FALSE(std::filesystem::exists(game / "settings.json.tmp"));

  settings.fpsLimit = 0;
  EXPECT_TRUE(SaveDisplaySettings(game.path(), settings).ok()) << "no frame limit is accepted";
}

TEST(DisplaySettingsFile, UnusableFileLoadsAsDefaultsAndSavingReplacesIt) {
  // Writing back a document this deep would recurse once per level, far past the thread's stack.
  const std::string deep = R"({"window": {"width": 1024}, "a": )" + std::string(1000000, '[') +
                           std::string(1000000, ']') + "}";
  for (const std::string& content : {
           std::string("{\n  // chosen by the player\n  \"window\": {\"width\": 1024, \"height\": 768}\n}"),
           std::string(R"({"window": {"width": 1024, "height": 768}, "audio": {},})"),
           std::string("[1, 2]"),
           deep,
       }) {
    TempDir game;
    WriteFile(game / "settings.json", content);
    EXPECT_EQ(LoadDisplaySettings(game.path()), DisplaySettings{}) << content.substr(0, 80);
    ASSERT_TRUE(SaveDisplaySettings(game.path(), DisplaySettings{}).ok()) << content.substr(0, 80);
    EXPECT_EQ(ReadFile(game / "settings.json"), kDefaultFile) << content.substr(0, 80);
  }
}

TEST(DisplaySettingsFile, FailedWriteReportsItsStatusAndKeepsTheFile) {
  TempDir game;
  WriteFile(game / "settings.json", "{}");
  WriteFile(game / "settings.json.tmp", "");
  const UniqueHandle other = HoldWithoutSharing(game / "settings.json.tmp");
  const Status status = SaveDisplaySettings(game.path(), DisplaySettings{});
  EXPECT_EQ(status.kind, StatusKind::Denied);
  EXPECT_EQ(status.message, "create settings.json.tmp (error 32)");
  EXPECT_EQ(ReadFile(game / "settings.json"), "{}");
}

}  // namespace
}  // namespace dkl
