#include "core/launcher_settings.h"

#include <gtest/gtest.h>

#include "base/json_object.h"

namespace dkl {
namespace {

LauncherSettings FromText(std::string_view text) { return SettingsFromJson(ParseJsonObject(AsBytes(text))); }

TEST(LauncherSettingsLoad, MissingOrDamagedDocumentGivesDefaults) {
  for (const char* text : {"", "{}", "[]", "{\"lang\": \"en\"", "null"}) {
    const LauncherSettings settings = FromText(text);
    EXPECT_FALSE(settings.game_dir.has_value()) << text;
    EXPECT_EQ(settings.lang, "es") << text;
    EXPECT_EQ(settings.max_serial, 0u) << text;
    EXPECT_EQ(settings.gpu_notice_dismissed, "") << text;
  }
}

TEST(LauncherSettingsLoad, LangIsTakenOnlyWhenExactlyEsOrEn) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"en\"", "en"}, {"\"es\"", "es"}, {"\"EN\"", "es"},  {"\"eng\"", "es"},
      {"\"e\"", "es"},  {"\"\"", "es"},   {"1", "es"},        {"null", "es"},
      {"[\"en\"]", "es"}, {"\"en\\u0000\"", "es"},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(FromText(std::string("{\"lang\": ") + value + "}").lang, expected) << value;
  }
}

TEST(LauncherSettingsLoad, MaxSerialIsTakenOnlyAsUnsignedInteger) {
  const std::pair<const char*, std::uint64_t> cases[] = {
      {"7", 7},
      {"0", 0},
      {"-5", 0},
      {"3.5", 0},
      {"1e3", 0},
      {"18446744073709551615", 18446744073709551615u},
      {"18446744073709551616", 0},  // one more does not fit and parses as a fraction
      {"\"12\"", 0},
      {"true", 0},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(FromText(std::string("{\"max_serial\": ") + value + "}").max_serial, expected) << value;
  }
}

TEST(LauncherSettingsLoad, GameDirIsTakenWhenANonEmptyString) {
  EXPECT_FALSE(FromText(R"({"game_dir": ""})").game_dir.has_value());
  EXPECT_FALSE(FromText(R"({"game_dir": null})").game_dir.has_value());
  EXPECT_FALSE(FromText(R"({"game_dir": 5})").game_dir.has_value());
  EXPECT_EQ(FromText(R"({"game_dir": "D:\\Juegos\\Duskhaven Crown"})").game_dir, "D:\\Juegos\\Duskhaven Crown");
  EXPECT_EQ(FromText(R"({"game_dir": "C:/Partidas/Añil"})").game_dir, "C:/Partidas/Añil");
}

TEST(LauncherSettingsLoad, GpuNoticeDismissedTakesAnyString) {
  EXPECT_EQ(FromText(R"({"gpu_notice_dismissed": "Basic Render|1.2"})").gpu_notice_dismissed, "Basic Render|1.2");
  EXPECT_EQ(FromText(R"({"gpu_notice_dismissed": ""})").gpu_notice_dismissed, "");
  EXPECT_EQ(FromText(R"({"gpu_notice_dismissed": false})").gpu_notice_dismissed, "");
}

TEST(LauncherSettingsSave, DefaultFileHasExactlyThreeMembers) {
  EXPECT_EQ(SerializeSettings(LauncherSettings{}),
            "{\n  \"game_dir\": null,\n  \"lang\": \"es\",\n  \"max_serial\": 0\n}");
}

TEST(LauncherSettingsSave, AllMembersInByteOrderWithUtf8Unescaped) {
  LauncherSettings settings;
  settings.game_dir = "D:\\Juegos\\Ñu";
  settings.lang = "en";
  settings.max_serial = 18446744073709551615u;
  settings.gpu_notice_dismissed = "Radeon \"RX\"|31.0";
  EXPECT_EQ(SerializeSettings(settings),
            "{\n"
            "  \"game_dir\": \"D:\\\\Juegos\\\\Ñu\",\n"
            "  \"gpu_notice_dismissed\": \"Radeon \\\"RX\\\"|31.0\",\n"
            "  \"lang\": \"en\",\n"
            "  \"max_serial\": 18446744073709551615\n"
            "}");
}

TEST(LauncherSettingsSave, UnknownKeysDoNotSurviveALoadAndSave) {
  const LauncherSettings settings = FromText(R"({"lang": "en", "theme": "dark", "max_serial": 3, "extra": [1]})");
  EXPECT_EQ(SerializeSettings(settings),
            "{\n  \"game_dir\": null,\n  \"lang\": \"en\",\n  \"max_serial\": 3\n}");
}

TEST(LauncherSettingsSave, RoundTripKeepsEveryValue) {
  LauncherSettings settings;
  settings.game_dir = "E:\\DC";
  settings.lang = "en";
  settings.max_serial = 42;
  settings.gpu_notice_dismissed = "GPU|1";
  const LauncherSettings loaded = FromText(SerializeSettings(settings));
  EXPECT_EQ(loaded.game_dir, settings.game_dir);
  EXPECT_EQ(loaded.lang, settings.lang);
  EXPECT_EQ(loaded.max_serial, settings.max_serial);
  EXPECT_EQ(loaded.gpu_notice_dismissed, settings.gpu_notice_dismissed);
}

}  // namespace
}  // namespace dkl
