#include "ui/pointer_input.h"

#include <gtest/gtest.h>

#include "ui/frame_regions.h"

namespace dkl {
namespace {

// Two buttons side by side, the right one disabled, and a cycler below them.
std::vector<HitRegion> Fixture() {
  std::vector<HitRegion> regions;
  AddRegion(regions, ActionId::Play, RegionKind::PrimaryButton, 0, 100, 100, 50, TextLabel(UiString::Play), true);
  AddRegion(regions, ActionId::VerifyFiles, RegionKind::SecondaryButton, 100, 100, 100, 50,
            TextLabel(UiString::VerifyFiles), false);
  AddRegion(regions, ActionId::FpsCycler, RegionKind::ClickArea, 0, 200, 200, 40, {}, true).cycler = 1;
  return regions;
}

TEST(HitTest, FindsTheFirstRegionContainingThePointEnabledOrNot) {
  std::vector<HitRegion> regions = Fixture();
  // An overlapping later region never wins over an earlier one.
  AddRegion(regions, ActionId::Back, RegionKind::ClickArea, 50, 100, 100, 50, {}, true);
  const struct {
    float x, y;
    ActionId expected;
  } cases[] = {
      {0, 100, ActionId::Play},           {99.9f, 149.9f, ActionId::Play},
      {100, 100, ActionId::VerifyFiles},  {199.9f, 120, ActionId::VerifyFiles},
      {200, 120, ActionId::None},         {50, 150, ActionId::None},
      {-0.1f, 120, ActionId::None},       {60, 120, ActionId::Play},
      {150, 239.9f, ActionId::FpsCycler}, {150, 240, ActionId::None},
  };
  for (const auto& c : cases) {
    const HitRegion* found = HitTest(regions, c.x, c.y);
    EXPECT_EQ(found ? found->id : ActionId::None, c.expected) << c.x << "," << c.y;
  }
}

TEST(AddRegion, ClearsTheFlagsThePageSetsAfterwards) {
  std::vector<HitRegion> regions;
  HitRegion& added = AddRegion(regions, ActionId::Save, RegionKind::PrimaryButton, 1, 2, 3, 4,
                               TextLabel(UiString::Save), true);
  EXPECT_FALSE(added.selected);
  EXPECT_FALSE(added.emphasised);
  EXPECT_EQ(added.cycler, 0);
  added.emphasised = true;
  EXPECT_TRUE(regions.back().emphasised);
}

TEST(PointerInput, HoverRepaintsOnlyWhenTheRegionChanges) {
  const std::vector<HitRegion> regions = Fixture();
  PointerState state;
  EXPECT_TRUE(PointerMoved(state, regions, 10, 110));
  EXPECT_EQ(state.hover, ActionId::Play);
  EXPECT_FALSE(PointerMoved(state, regions, 20, 120));
  EXPECT_TRUE(PointerMoved(state, regions, 150, 120));  // disabled regions are hovered too
  EXPECT_EQ(state.hover, ActionId::VerifyFiles);
  EXPECT_TRUE(PointerMoved(state, regions, 500, 500));
  EXPECT_EQ(state.hover, ActionId::None);
  EXPECT_FALSE(PointerLeft(state));
  PointerMoved(state, regions, 10, 110);
  EXPECT_TRUE(PointerLeft(state));
  EXPECT_EQ(state.hover, ActionId::None);
}

TEST(PointerInput, AClickIsAPressAndReleaseOverTheSameEnabledRegion) {
  const std::vector<HitRegion> regions = Fixture();
  const struct {
    const char* label;
    float down_x, down_y, up_x, up_y;
    ActionId clicked;
  } cases[] = {
      {"same button", 10, 110, 90, 140, ActionId::Play},
      {"released over another button", 10, 110, 150, 120, ActionId::None},
      {"released over nothing", 10, 110, 500, 500, ActionId::None},
      {"released outside the window", 10, 110, -40, -3, ActionId::None},
      {"disabled button", 150, 120, 150, 120, ActionId::None},
      {"pressed over nothing, released on a button", 500, 500, 10, 110, ActionId::None},
  };
  for (const auto& c : cases) {
    PointerState state;
    PointerPressed(state, regions, c.down_x, c.down_y);
    const std::optional<HitRegion> clicked = PointerReleased(state, regions, c.up_x, c.up_y);
    EXPECT_EQ(clicked ? clicked->id : ActionId::None, c.clicked) << c.label;
    EXPECT_EQ(state.pressed, ActionId::None) << c.label;
  }
}

TEST(PointerInput, ACyclerClickCarriesTheDirectionOfTheHalfThatWasHit) {
  const std::vector<HitRegion> regions = Fixture();
  const std::pair<float, int> cases[] = {{0, -1}, {99.9f, -1}, {100, 1}, {199.9f, 1}};
  for (const auto& [x, direction] : cases) {
    PointerState state;
    PointerPressed(state, regions, x, 220);
    const std::optional<HitRegion> clicked = PointerReleased(state, regions, x, 220);
    ASSERT_TRUE(clicked) << x;
    EXPECT_EQ(clicked->cycler, direction) << x;
  }
  PointerState state;
  PointerPressed(state, regions, 10, 110);
  EXPECT_EQ(PointerReleased(state, regions, 10, 110)->cycler, 0);  // plain buttons keep 0
}

TEST(PointerInput, HandCursorOnlyOverEnabledRegions) {
  const std::vector<HitRegion> regions = Fixture();
  EXPECT_TRUE(ShowsHandCursor(regions, 10, 110));
  EXPECT_FALSE(ShowsHandCursor(regions, 150, 110));
  EXPECT_FALSE(ShowsHandCursor(regions, 500, 500));
}

TEST(PointerInput, TheEmptyTitleBarDragsTheWindow) {
  std::vector<HitRegion> regions;
  AddTitleBarRegions(regions, false);
  EXPECT_TRUE(IsCaptionArea(regions, 600, 28));    // between the subtitle and the pills
  EXPECT_TRUE(IsCaptionArea(regions, 760, 10));    // above the "ES" pill
  EXPECT_FALSE(IsCaptionArea(regions, 760, 28));   // on the pill
  EXPECT_FALSE(IsCaptionArea(regions, 930, 20));   // on the close button
  EXPECT_TRUE(IsCaptionArea(regions, 10, 55.5f));
  EXPECT_FALSE(IsCaptionArea(regions, 600, 56));   // below the title bar
}

}  // namespace
}  // namespace dkl
