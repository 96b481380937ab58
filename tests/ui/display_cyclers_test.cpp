#include "ui/display_cyclers.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

DisplaySettings WithResolution(std::uint32_t width, std::uint32_t height) {
  DisplaySettings display;
  display.width = width;
  display.height = height;
  return display;
}

TEST(CycleResolution, StepsThroughTheTableAndWraps) {
  const struct {
    std::uint32_t width, height;
    int direction;
    std::uint32_t new_width, new_height;
  } cases[] = {
      {800, 600, 1, 1024, 768},      {1024, 768, 1, 1280, 960},     {1440, 1080, 1, 1920, 1440},
      {1920, 1440, 1, 800, 600},     {800, 600, -1, 1920, 1440},    {1280, 960, -1, 1024, 768},
      // Sizes the game may have written itself start over at 800 × 600 in either direction.
      {1920, 1080, 1, 800, 600},     {1920, 1080, -1, 800, 600},    {1366, 768, -1, 800, 600},
      {1024, 600, 1, 800, 600},
  };
  for (const auto& c : cases) {
    DisplaySettings display = WithResolution(c.width, c.height);
    CycleResolution(display, c.direction);
    EXPECT_EQ(display.width, c.new_width) << c.width << "x" << c.height << " " << c.direction;
    EXPECT_EQ(display.height, c.new_height) << c.width << "x" << c.height << " " << c.direction;
  }
}

TEST(CycleFpsLimit, StepsThroughTheTableAndUnknownLimitsBecomeSixty) {
  const struct {
    std::uint32_t limit;
    int direction;
    std::uint32_t next;
  } cases[] = {
      {60, 1, 100}, {144, 1, 240}, {240, 1, 0}, {0, 1, 60}, {0, -1, 240}, {60, -1, 0},
      {75, 1, 60},  {75, -1, 60},
  };
  for (const auto& c : cases) {
    DisplaySettings display;
    display.fpsLimit = c.limit;
    CycleFpsLimit(display, c.direction);
    EXPECT_EQ(display.fpsLimit, c.next) << c.limit << " " << c.direction;
  }
}

TEST(ApplyDisplayCommand, EachControlChangesOnlyItsOption) {
  const DisplaySettings start;  // windowed, 800 × 600, stretch, unlimited, detail 2
  const auto changed = [&](ActionId id, int direction) {
    DisplaySettings display = start;
    EXPECT_TRUE(ApplyDisplayCommand(id, direction, display));
    return display;
  };
  DisplaySettings expected = start;

  expected.mode = WindowMode::Borderless;
  EXPECT_EQ(changed(ActionId::ModeCycler, 1), expected);
  expected.mode = WindowMode::Fullscreen;
  EXPECT_EQ(changed(ActionId::ModeCycler, -1), expected);

  expected = start;
  expected.width = 1024;
  expected.height = 768;
  EXPECT_EQ(changed(ActionId::ResolutionCycler, 1), expected);

  expected = start;
  expected.fullscreenStretch = false;
  EXPECT_EQ(changed(ActionId::AspectCycler, -1), expected);
  EXPECT_EQ(changed(ActionId::AspectCycler, 1), expected);

  expected = start;
  expected.fpsLimit = 240;
  EXPECT_EQ(changed(ActionId::FpsCycler, -1), expected);

  expected = start;
  expected.vsync = true;
  EXPECT_EQ(changed(ActionId::VSync, 0), expected);
  expected = start;
  expected.captureMouse = true;
  EXPECT_EQ(changed(ActionId::CaptureMouse, 0), expected);
  expected = start;
  expected.ambientLighting = false;
  EXPECT_EQ(changed(ActionId::AmbientLighting, 0), expected);
  expected = start;
  expected.bodyAuras = false;
  EXPECT_EQ(changed(ActionId::BodyAuras, 0), expected);

  expected = start;
  expected.detailLevel = 0;
  EXPECT_EQ(changed(ActionId::DetailCycler, 1), expected);
  expected.detailLevel = 1;
  EXPECT_EQ(changed(ActionId::DetailCycler, -1), expected);
}

TEST(ApplyDisplayCommand, OtherIdsLeaveTheCopyAlone) {
  for (ActionId id : {ActionId::None, ActionId::Browse, ActionId::Back, ActionId::Save, ActionId::Play}) {
    DisplaySettings display;
    EXPECT_FALSE(ApplyDisplayCommand(id, 1, display));
    EXPECT_EQ(display, DisplaySettings{});
  }
}

}  // namespace
}  // namespace dkl
