#include "gfx/display_settings.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "base/json_object.h"

namespace dkl {
namespace {

DisplaySettings FromText(std::string_view text) { return DisplaySettingsFromJson(ParseJsonObject(AsBytes(text))); }

// A document with one member in "window" or "display", the rest missing.
std::string WithMember(const char* object, const char* key, const char* value) {
  return std::string("{\"") + object + "\": {\"" + key + "\": " + value + "}}";
}

TEST(DisplaySettingsLoad, UnusableDocumentsGiveTheDefaults) {
  const DisplaySettings defaults;
  EXPECT_EQ(defaults.mode, WindowMode::Windowed);
  EXPECT_EQ(defaults.width, 800u);
  EXPECT_EQ(defaults.height, 600u);
  EXPECT_TRUE(defaults.fullscreenStretch);
  EXPECT_EQ(defaults.fpsLimit, 0u);
  EXPECT_FALSE(defaults.vsync);
  EXPECT_FALSE(defaults.captureMouse);
  EXPECT_TRUE(defaults.ambientLighting);
  EXPECT_TRUE(defaults.bodyAuras);
  EXPECT_EQ(defaults.detailLevel, 2);
  for (const char* text : {
           "",
           "{}",
           "[]",
           R"({"window": 5, "display": 5})",
           R"({"window": [1024, 768], "display": null})",
           "// the game's options\n{\"window\": {\"width\": 1024, \"height\": 768}}",
           R"({"window": {"width": 1024, "height": 768,}})",
       }) {
    EXPECT_EQ(FromText(text), defaults) << text;
  }
}

TEST(DisplaySettingsLoad, SizesAndFrameLimitTakeOnlyNonNegativeIntegers) {
  const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
      {"1024", 1024},          {"0", 0},
      {"4294967295", 4294967295u},
      {"-1024", std::nullopt}, {"1024.5", std::nullopt},
      {"1e3", std::nullopt},   {"1024.0", std::nullopt},
      {"\"1024\"", std::nullopt}, {"true", std::nullopt},
      {"null", std::nullopt},  {"4294967296", std::nullopt},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(FromText(WithMember("window", "width", value)).width, expected.value_or(800)) << value;
    EXPECT_EQ(FromText(WithMember("window", "height", value)).height, expected.value_or(600)) << value;
    EXPECT_EQ(FromText(WithMember("display", "fpsLimit", value)).fpsLimit, expected.value_or(0)) << value;
  }
}

TEST(DisplaySettingsLoad, DetailLevelIsClampedIntoRange) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0", 0},    {"1", 1},     {"2", 2},
      {"7", 2},    {"-3", 0},    {"1.0", 2},
      {"\"1\"", 2}, {"false", 2},
      {"18446744073709551615", 2},
      {"-9223372036854775808", 0},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(FromText(WithMember("display", "detailLevel", value)).detailLevel, expected) << value;
  }
}

TEST(DisplaySettingsLoad, SwitchesTakeOnlyJsonBooleans) {
  struct Switch {
    const char* key;
    bool DisplaySettings::*field;
  };
  const Switch switches[] = {
      {"fullscreenStretch", &DisplaySettings::fullscreenStretch},
      {"vsync", &DisplaySettings::vsync},
      {"captureMouse", &DisplaySettings::captureMouse},
      {"ambientLighting", &DisplaySettings::ambientLighting},
      {"bodyAuras", &DisplaySettings::bodyAuras},
  };
  for (const Switch& entry : switches) {
    const bool fallback = DisplaySettings{}.*entry.field;
    const char* flipped = fallback ? "false" : "true";
    const char* kept = fallback ? "true" : "false";
    EXPECT_EQ(FromText(WithMember("display", entry.key, flipped)).*entry.field, !fallback) << entry.key;
    EXPECT_EQ(FromText(WithMember("display", entry.key, kept)).*entry.field, fallback) << entry.key;
    for (const char* wrong_type : {"0", "1", "\"true\"", "\"false\"", "null"}) {
      EXPECT_EQ(FromText(WithMember("display", entry.key, wrong_type)).*entry.field, fallback)
          << entry.key << " = " << wrong_type;
    }
    EXPECT_EQ(FromText(WithMember("window", entry.key, flipped)).*entry.field, fallback)
        << entry.key << " belongs to \"display\"";
  }
}

TEST(DisplaySettingsLoad, FullscreenWinsOverBorderless) {
  const std::pair<const char*, WindowMode> cases[] = {
      {R"({})", WindowMode::Windowed},
      {R"({"fullscreen": true, "borderless": true})", WindowMode::Fullscreen},
      {R"({"fullscreen": true, "borderless": false})", WindowMode::Fullscreen},
      {R"({"fullscreen": false, "borderless": true})", WindowMode::Borderless},
      {R"({"borderless": true})", WindowMode::Borderless},
      {R"({"fullscreen": 1, "borderless": "true"})", WindowMode::Windowed},
      {R"({"fullscreen": false, "borderless": false})", WindowMode::Windowed},
  };
  for (const auto& [display, expected] : cases) {
    EXPECT_EQ(FromText(std::string("{\"display\": ") + display + "}").mode, expected) << display;
  }
}

TEST(DisplaySettingsLoad, ResolutionAndFrameLimitAreTakenAsFound) {
  const DisplaySettings settings = FromText(
      R"({"window": {"width": 1366, "height": 768}, "display": {"fpsLimit": 75, "vsync": true}, "display2": {}})");
  EXPECT_EQ(settings.width, 1366u);
  EXPECT_EQ(settings.height, 768u);
  EXPECT_EQ(settings.fpsLimit, 75u);
  EXPECT_TRUE(settings.vsync);
}

TEST(DisplaySettingsValidate, RefusesWhatTheGameDoesNotOffer) {
  struct Case {
    std::uint32_t width, height, fps;
    std::int32_t detail;
    const char* message;  // nullptr: accepted
  };
  const Case cases[] = {
      {800, 600, 0, 2, nullptr},
      {1024, 768, 60, 0, nullptr},
      {1280, 960, 100, 1, nullptr},
      {1440, 1080, 144, 2, nullptr},
      {1920, 1440, 240, 2, nullptr},
      {1366, 768, 0, 2, "1366x768"},
      {768, 1024, 0, 2, "768x1024"},
      {1920, 1080, 0, 2, "1920x1080"},
      {0, 0, 0, 2, "0x0"},
      {800, 600, 75, 2, "fps 75"},
      {800, 600, 30, 2, "fps 30"},
      {800, 600, 0, 3, "detail level"},
      {800, 600, 0, -1, "detail level"},
      {1366, 768, 75, 3, "1366x768"},
      {800, 600, 75, 3, "fps 75"},
  };
  for (const Case& row : cases) {
    DisplaySettings settings;
    settings.width = row.width;
    settings.height = row.height;
    settings.fpsLimit = row.fps;
    settings.detailLevel = row.detail;
    const Status status = ValidateDisplaySettings(settings);
    const std::string label = std::to_string(row.width) + "x" + std::to_string(row.height) + " fps " +
                              std::to_string(row.fps) + " detail " + std::to_string(row.detail);
    if (row.message == nullptr) {
      EXPECT_TRUE(status.ok()) << label << ": " << status.message;
    } else {
      EXPECT_EQ(status.kind, StatusKind::Invalid) << label;
      EXPECT_EQ(status.message, row.message) << label;
    }
  }
}

std::string Merged(std::string_view current, const DisplaySettings& settings) {
  return DumpJson(MergeDisplaySettings(ParseJsonObject(AsBytes(current)), settings), 2);
}

TEST(DisplaySettingsSave, NewFileHoldsExactlyTheElevenMembers) {
  EXPECT_EQ(Merged("", DisplaySettings{}),
            "{\n"
            "  \"display\": {\n"
            "    \"ambientLighting\": true,\n"
            "    \"bodyAuras\": true,\n"
            "    \"borderless\": false,\n"
            "    \"captureMouse\": false,\n"
            "    \"detailLevel\": 2,\n"
            "    \"fpsLimit\": 0,\n"
            "    \"fullscreen\": false,\n"
            "    \"fullscreenStretch\": true,\n"
            "    \"vsync\": false\n"
            "  },\n"
            "  \"window\": {\n"
            "    \"height\": 600,\n"
            "    \"width\": 800\n"
            "  }\n"
            "}");
}

TEST(DisplaySettingsSave, KeepsEverythingTheGameAddedAndOverwritesTheRest) {
  DisplaySettings settings;
  settings.mode = WindowMode::Borderless;
  settings.width = 1920;
  settings.height = 1440;
  settings.fpsLimit = 144;
  settings.bodyAuras = false;
  settings.detailLevel = 0;
  const nlohmann::json merged = MergeDisplaySettings(
      ParseJsonObject(AsBytes(R"({
        "audio": {"music": 0.5, "voices": "español"},
        "keybinds": [1, 2, 3],
        "window": {"width": "wide", "x": 12, "maximised": true},
        "display": {"fullscreen": true, "gamma": 1.2, "fpsLimit": -1}
      })")),
      settings);
  const nlohmann::json expected = ParseJsonObject(AsBytes(R"({
    "audio": {"music": 0.5, "voices": "español"},
    "keybinds": [1, 2, 3],
    "window": {"width": 1920, "height": 1440, "x": 12, "maximised": true},
    "display": {"fullscreen": false, "borderless": true, "fullscreenStretch": true, "fpsLimit": 144,
                "vsync": false, "captureMouse": false, "ambientLighting": true, "bodyAuras": false,
                "detailLevel": 0, "gamma": 1.2}
  })"));
  EXPECT_EQ(merged, expected);
  EXPECT_NE(DumpJson(merged, 2).find("\"voices\": \"español\""), std::string::npos) << "UTF-8 stays unescaped";
}

TEST(DisplaySettingsSave, MembersThatAreNotObjectsBecomeObjects) {
  const nlohmann::json merged =
      MergeDisplaySettings(ParseJsonObject(AsBytes(R"({"window": [800, 600], "display": 5, "other": 5})")),
                           DisplaySettings{});
  EXPECT_TRUE(merged["window"].is_object());
  EXPECT_EQ(merged["window"].size(), 2u);
  EXPECT_TRUE(merged["display"].is_object());
  EXPECT_EQ(merged["display"].size(), 9u);
  EXPECT_EQ(merged["other"], 5);
}

TEST(DisplaySettingsSave, FullscreenAndBorderlessLoadAndSaveAsFullscreenOnly) {
  const nlohmann::json document =
      ParseJsonObject(AsBytes(R"({"display": {"fullscreen": true, "borderless": true}})"));
  const nlohmann::json merged = MergeDisplaySettings(document, DisplaySettingsFromJson(document));
  EXPECT_EQ(merged["display"]["fullscreen"], true);
  EXPECT_EQ(merged["display"]["borderless"], false);
}

}  // namespace
}  // namespace dkl
