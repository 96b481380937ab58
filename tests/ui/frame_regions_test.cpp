#include "ui/frame_regions.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace dkl {
namespace {

// One line per region: "id kind x,y,w,h" followed by the flags that are set.
std::string Describe(const std::vector<HitRegion>& regions) {
  std::ostringstream text;
  for (const HitRegion& r : regions) {
    text << static_cast<int>(r.id) << " k" << static_cast<int>(r.kind) << " " << r.x << "," << r.y << ","
         << r.width << "," << r.height << (r.enabled ? "" : " disabled") << (r.selected ? " selected" : "")
         << (r.emphasised ? " emphasised" : "") << (r.cycler ? " cycler" : "") << "\n";
  }
  return text.str();
}

const char kTitleBarSpanish[] =
    "5 k3 912,8,40,40\n"
    "4 k3 870,8,40,40\n"
    "3 k3 828,8,40,40\n"
    "2 k4 786,14,34,28\n"
    "1 k4 752,14,34,28 selected\n";

StatusPanel PlayablePanel() {
  StatusPanelInput input;
  input.final_received = true;
  input.shown_outcome.kind = UpdatePhase::Ready;
  input.shown_outcome.playable = true;
  return ComputeStatusPanel(input);
}

TEST(FrameRegions, TitleBarMarksTheCurrentLanguage) {
  std::vector<HitRegion> regions;
  AddTitleBarRegions(regions, false);
  EXPECT_EQ(Describe(regions), kTitleBarSpanish);
  regions.clear();
  AddTitleBarRegions(regions, true);
  EXPECT_TRUE(regions[3].selected);
  EXPECT_FALSE(regions[4].selected);
  EXPECT_EQ(regions[3].label, LiteralLabel("EN"));
}

TEST(FrameRegions, MainPageFollowsTheNewsTheBannerAndTheRun) {
  const std::vector<NewsItem> three = {{.url = "https://site/a"}, {.url = ""}, {.url = "https://site/c"},
                                       {.url = "https://site/d"}};
  const struct {
    const char* label;
    std::vector<NewsItem> news;
    bool busy;
    bool advice;
    std::string expected;  // after the title bar
  } cases[] = {
      {"no news, idle",
       {},
       false,
       false,
       "9 k1 702,368,236,46\n"
       "10 k2 702,424,113,46\n"
       "11 k2 825,424,113,46\n"
       "12 k0 726,512,212,64 emphasised\n"},
      {"more than three items, one without url",
       three,
       false,
       false,
       "6 k5 22,116,660,278\n"
       "7 k5 22,406,324,64 disabled\n"
       "8 k5 358,406,324,64\n"
       "9 k1 702,368,236,46\n"
       "10 k2 702,424,113,46\n"
       "11 k2 825,424,113,46\n"
       "12 k0 726,512,212,64 emphasised\n"},
      {"one item without url, banner shown",
       {{.title = "t"}},
       false,
       true,
       "6 k5 22,116,660,220 disabled\n"
       "9 k1 702,310,236,46\n"
       "10 k2 702,366,113,46\n"
       "11 k2 825,366,113,46\n"
       "13 k0 614,438,196,34\n"
       "14 k1 820,438,110,34\n"
       "12 k0 726,512,212,64 emphasised\n"},
  };
  for (const auto& c : cases) {
    FrameInput input;
    input.news = c.news;
    input.busy = c.busy;
    input.advice_visible = c.advice;
    input.status = PlayablePanel();
    EXPECT_EQ(Describe(FrameRegions(input)), kTitleBarSpanish + c.expected) << c.label;
  }
}

TEST(FrameRegions, ARunDisablesVerifyApplyAndPlayButNotTheLinks) {
  StatusPanelInput busy;
  busy.busy = true;
  FrameInput input;
  input.busy = true;
  input.advice_visible = true;
  input.status = ComputeStatusPanel(busy);
  std::vector<HitRegion> regions = FrameRegions(input);
  regions.erase(regions.begin(), regions.begin() + 5);
  EXPECT_EQ(Describe(regions),
            "9 k1 702,310,236,46 disabled\n"
            "10 k2 702,366,113,46\n"
            "11 k2 825,366,113,46\n"
            "13 k0 614,438,196,34 disabled\n"
            "14 k1 820,438,110,34\n"
            "12 k0 726,512,212,64 disabled\n");
  EXPECT_EQ(regions.back().label, TextLabel(UiString::Play));
}

TEST(FrameRegions, TheBigButtonRetriesAfterAnUnplayableEnd) {
  StatusPanelInput failed;
  failed.final_received = true;
  failed.shown_outcome.kind = UpdatePhase::Failed;
  std::vector<HitRegion> regions;
  AddStatusPanelRegions(regions, ComputeStatusPanel(failed));
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].label, TextLabel(UiString::Retry));
  EXPECT_TRUE(regions[0].enabled);
  EXPECT_FALSE(regions[0].emphasised);
}

TEST(FrameRegions, SettingsPageEnablesCyclersByTheOptionsTheyDependOn) {
  const std::string rest_head =
      "15 k1 670,136,100,44\n"
      "16 k5 190,208,283,44 cycler\n"
      "17 k5 487,208,283,44 cycler\n";
  const std::string rest_tail =
      "20 k5 190,330,283,24\n"
      "21 k5 487,330,283,24\n"
      "22 k5 190,390,283,24\n"
      "23 k5 487,390,283,24\n"
      "24 k5 190,444,283,44 cycler\n"
      "25 k1 190,512,284,46\n";
  const struct {
    const char* label;
    WindowMode mode;
    bool vsync;
    bool busy;
    std::string middle;
    std::string save;
  } cases[] = {
      {"window, no vsync", WindowMode::Windowed, false, false,
       "18 k5 190,280,283,44 disabled cycler\n19 k5 487,280,283,44 cycler\n", "26 k0 486,512,284,46\n"},
      {"full screen with vsync", WindowMode::Fullscreen, true, false,
       "18 k5 190,280,283,44 cycler\n19 k5 487,280,283,44 disabled cycler\n", "26 k0 486,512,284,46\n"},
      {"during a run", WindowMode::Borderless, false, true,
       "18 k5 190,280,283,44 disabled cycler\n19 k5 487,280,283,44 cycler\n", "26 k0 486,512,284,46 disabled\n"},
  };
  for (const auto& c : cases) {
    FrameInput input;
    input.page = Page::Settings;
    input.busy = c.busy;
    input.advice_visible = true;  // the banner belongs to the main page only
    input.display.mode = c.mode;
    input.display.vsync = c.vsync;
    input.news = {{.url = "https://site/a"}};
    EXPECT_EQ(Describe(FrameRegions(input)), kTitleBarSpanish + rest_head + c.middle + rest_tail + c.save)
        << c.label;
  }
}

TEST(MainLayout, TheFeaturedCardShrinksForTheBanner) {
  EXPECT_EQ(MainLayout(false).featured, (RectF{22, 116, 660, 278}));
  EXPECT_EQ(MainLayout(true).featured, (RectF{22, 116, 660, 220}));
  EXPECT_EQ(MainLayout(true).small_cards[1], (RectF{358, 348, 324, 64}));
}

}  // namespace
}  // namespace dkl
