#include "ui/settings_page.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

DisplaySettings With(bool lighting, bool auras, std::int32_t detail) {
  DisplaySettings display;
  display.ambientLighting = lighting;
  display.bodyAuras = auras;
  display.detailLevel = detail;
  return display;
}

TEST(SettingsValues, WhatTheControlsRead) {
  EXPECT_EQ(ModeValueText(WindowMode::Windowed), UiString::ModeWindow);
  EXPECT_EQ(ModeValueText(WindowMode::Borderless), UiString::ModeBorderless);
  EXPECT_EQ(ModeValueText(WindowMode::Fullscreen), UiString::ModeFullscreen);
  EXPECT_EQ(ModeValueText(static_cast<WindowMode>(7)), UiString::ModeWindow);
  EXPECT_EQ(AspectValueText(true), UiString::Stretch);
  EXPECT_EQ(AspectValueText(false), UiString::KeepAspect);
  DisplaySettings display;
  display.width = 1920;
  display.height = 1080;
  EXPECT_EQ(ResolutionValue(display), LiteralLabel("1920 \u00D7 1080"));
  EXPECT_EQ(FpsLimitValue(0), TextLabel(UiString::Unlimited));
  EXPECT_EQ(FpsLimitValue(144), LiteralLabel("144"));
}

TEST(HintsFor, OnlyWhereTheRecommendationDiffers) {
  const struct {
    const char* label;
    AdviceLevel level;
    DisplaySettings display;
    SettingsHints expected;
  } cases[] = {
      {"old card, everything on", AdviceLevel::Old, With(true, true, 2), {false, true, 1}},
      {"old card, already low detail", AdviceLevel::Old, With(true, false, 0), {false, false, std::nullopt}},
      {"old card, already as advised", AdviceLevel::Old, With(false, false, 1), {}},
      {"modest card, auras on", AdviceLevel::Modest, With(true, true, 2), {std::nullopt, true, std::nullopt}},
      {"fine card", AdviceLevel::Fine, With(true, true, 2), {}},
      {"no card", AdviceLevel::None, With(true, true, 2), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(HintsFor(c.level, c.display), c.expected) << c.label;
}

TEST(GraphicsCardLineFor, ChosenOrFirstAdapterWithTheLevelSuffix) {
  GraphicsReport report;
  EXPECT_EQ(GraphicsCardLineFor(report), GraphicsCardLine{});  // "could not be detected", no suffix

  report.adapters = {{"First", 1, 1, "1.0", 0, false}, {"Second", 2, 2, "", 0, false}};
  report.level = AdviceLevel::Fine;
  EXPECT_EQ(GraphicsCardLineFor(report), (GraphicsCardLine{"First", "1.0", std::nullopt}));
  report.chosen_adapter = 1;
  report.level = AdviceLevel::Old;
  EXPECT_EQ(GraphicsCardLineFor(report), (GraphicsCardLine{"Second", "", UiString::AdviceOld}));
  report.level = AdviceLevel::Modest;
  EXPECT_EQ(GraphicsCardLineFor(report).suffix, UiString::AdviceModest);
}

TEST(AfterSave, FailureStaysWithItsMessageSuccessClosesAndMayStartARun) {
  EXPECT_EQ(AfterSave(MakeStatus(StatusKind::Invalid, "game folder must be absolute"), false),
            (SaveFollowUp{StatusKind::Invalid, false, false}));
  EXPECT_EQ(AfterSave(MakeStatus(StatusKind::Busy, "updating"), true), (SaveFollowUp{StatusKind::Busy, false, false}));
  EXPECT_EQ(AfterSave(OkStatus(), false), (SaveFollowUp{std::nullopt, true, false}));
  EXPECT_EQ(AfterSave(OkStatus(), true), (SaveFollowUp{std::nullopt, true, true}));
}

}  // namespace
}  // namespace dkl
