#include "core/launcher_settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(LauncherSettingsFile, MissingFileGivesDefaultsAndSaveCreatesTheFolder) {
  TempDir dir;
  const auto app_data = dir / "Roaming" / "local.duskcrown.launcher";
  LauncherSettings settings = LoadLauncherSettings(app_data);
  EXPECT_EQ(settings.lang, "es");
  ASSERT_TRUE(SaveLauncherSettings(settings, app_data).ok());
  EXPECT_EQ(ReadFile(app_data / "settings.json"), "{\n  \"game_dir\": null,\n  \"lang\": \"es\",\n  \"max_serial\": 0\n}");
}

TEST(LauncherSettingsFile, SavedValuesSurviveARestart) {
  TempDir dir;
  LauncherSettings settings;
  settings.game_dir = "C:\\Juegos\\Duskhaven Ñ";
  settings.lang = "en";
  settings.max_serial = 12;
  ASSERT_TRUE(SaveLauncherSettings(settings, dir.path()).ok());
  const LauncherSettings loaded = LoadLauncherSettings(dir.path());
  EXPECT_EQ(loaded.game_dir, settings.game_dir);
  EXPECT_EQ(loaded.lang, "en");
  EXPECT_EQ(loaded.max_serial, 12u);
}

TEST(LauncherSettingsFile, FileOverOneMebibyteIsIgnoredEntirely) {
  TempDir dir;
  std::string document = "{\"lang\": \"en\", \"max_serial\": 9}";
  WriteFile(dir / "settings.json", document + std::string(1048576 - document.size(), ' '));
  EXPECT_EQ(LoadLauncherSettings(dir.path()).lang, "en") << "exactly the maximum is read";
  WriteFile(dir / "settings.json", document + std::string(1048577 - document.size(), ' '));
  const LauncherSettings settings = LoadLauncherSettings(dir.path());
  EXPECT_EQ(settings.lang, "es");
  EXPECT_EQ(settings.max_serial, 0u);
}

TEST(LauncherSettingsFile, HandWrittenKeysDisappearAtTheNextSave) {
  TempDir dir;
  WriteFile(dir / "settings.json", "{\"lang\": \"en\", \"window\": {\"x\": 3}, \"gpu_notice_dismissed\": \"\"}");
  ASSERT_TRUE(SaveLauncherSettings(LoadLauncherSettings(dir.path()), dir.path()).ok());
  EXPECT_EQ(ReadFile(dir / "settings.json"), "{\n  \"game_dir\": null,\n  \"lang\": \"en\",\n  \"max_serial\": 0\n}");
}

TEST(LauncherSettingsFile, FailedSaveKeepsThePreviousFile) {
  TempDir dir;
  WriteFile(dir / "settings.json.tmp", "");
  HANDLE other = CreateFileW((dir / "settings.json.tmp").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  WriteFile(dir / "settings.json", "{\"lang\": \"en\"}");
  const Status status = SaveLauncherSettings(LauncherSettings{}, dir.path());
  CloseHandle(other);
  EXPECT_EQ(status.kind, StatusKind::Denied);
  EXPECT_EQ(ReadFile(dir / "settings.json"), "{\"lang\": \"en\"}");
}

}  // namespace
}  // namespace dkl
