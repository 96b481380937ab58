#include "ui/frame_painter_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ui/font_set_win.h"
#include "ui/gdiplus_win.h"

namespace dkl {
namespace {

using namespace ::Gdiplus::DllExports;

struct Rgb {
  int r;
  int g;
  int b;
};

Rgb Channels(std::uint32_t argb) {
  return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF), static_cast<int>(argb & 0xFF)};
}

bool Close(std::uint32_t a, std::uint32_t b, int tolerance) {
  const Rgb x = Channels(a);
  const Rgb y = Channels(b);
  return std::abs(x.r - y.r) <= tolerance && std::abs(x.g - y.g) <= tolerance && std::abs(x.b - y.b) <= tolerance;
}

int Brightness(std::uint32_t argb) {
  const Rgb c = Channels(argb);
  return c.r + c.g + c.b;
}

// One painted frame, its pixels copied out of the bitmap as ARGB, row by row.
struct Frame {
  std::vector<HitRegion> regions;
  int failed_calls = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * kWindowWidth + static_cast<std::size_t>(x)];
  }

  // How many pixels of the rectangle lie within `tolerance` of `color` in every channel.
  int CountNear(std::uint32_t color, int tolerance, int x, int y, int width, int height) const {
    int count = 0;
    for (int row = y; row < y + height; ++row) {
      for (int column = x; column < x + width; ++column) count += Close(At(column, row), color, tolerance) ? 1 : 0;
    }
    return count;
  }
};

struct ImageDeleter {
  void operator()(::Gdiplus::GpBitmap* bitmap) const { GdipDisposeImage(bitmap); }
};
using Bitmap = std::unique_ptr<::Gdiplus::GpBitmap, ImageDeleter>;

Bitmap NewBitmap(int width, int height) {
  ::Gdiplus::GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
  return Bitmap(bitmap);
}

// A picture of solid blocks: (x, y, width, height, colour) each.
struct Block {
  float x, y, width, height;
  std::uint32_t color;
};

Bitmap BlockPicture(int width, int height, std::initializer_list<Block> blocks) {
  Bitmap bitmap = NewBitmap(width, height);
  ::Gdiplus::GpGraphics* graphics = nullptr;
  GdipGetImageGraphicsContext(bitmap.get(), &graphics);
  for (const Block& block : blocks) {
    ::Gdiplus::GpSolidFill* brush = nullptr;
    GdipCreateSolidFill(block.color, &brush);
    GdipFillRectangle(graphics, brush, block.x, block.y, block.width, block.height);
    GdipDeleteBrush(brush);
  }
  GdipDeleteGraphics(graphics);
  return bitmap;
}

StatusPanelInput Ended(UpdatePhase kind, bool playable, std::optional<StatusKind> error = std::nullopt) {
  StatusPanelInput input;
  input.final_received = true;
  input.shown_outcome.kind = kind;
  input.shown_outcome.playable = playable;
  input.shown_outcome.installed_version = "1.4.0";
  input.shown_outcome.available_version = "1.4.0";
  if (error) input.shown_outcome.error = MakeStatus(*error, "test");
  return input;
}

StatusPanelInput Downloading(std::uint64_t done, std::uint64_t total) {
  StatusPanelInput input;
  input.busy = true;
  input.live_phase = static_cast<std::int32_t>(UpdatePhase::Downloading);
  input.bytes_done = done;
  input.bytes_total = total;
  return input;
}

// The main page as the window fills it from the run's state.
WindowView MainView(const StatusPanelInput& run) {
  WindowView view;
  view.english = true;
  view.busy = run.busy;
  view.final_received = run.final_received;
  view.shown_outcome = run.shown_outcome;
  view.status = ComputeStatusPanel(run);
  return view;
}

WindowView SettingsView(WindowMode mode, bool vsync, bool busy) {
  WindowView view;
  view.page = Page::Settings;
  view.busy = busy;
  view.display.mode = mode;
  view.display.vsync = vsync;
  view.folder_text = L"C:\\Games\\Duskhaven";
  view.advice_visible = true;  // the banner belongs to the main page only
  return view;
}

// One line per region: "id kind x,y,w,h label" and the flags that are set; a text entry's label is
// its index, a literal is quoted.
std::string Describe(const std::vector<HitRegion>& regions) {
  std::ostringstream text;
  for (const HitRegion& r : regions) {
    text << static_cast<int>(r.id) << " k" << static_cast<int>(r.kind) << " " << r.x << "," << r.y << "," << r.width
         << "," << r.height;
    if (r.label.text) text << " #" << static_cast<int>(*r.label.text);
    if (!r.label.literal.empty()) text << " '" << r.label.literal << "'";
    text << (r.enabled ? "" : " disabled") << (r.selected ? " selected" : "") << (r.emphasised ? " emphasised" : "")
         << (r.cycler ? " cycler" : "") << "\n";
  }
  return text.str();
}

constexpr char kTitleBar[] =
    "5 k3 912,8,40,40 'close'\n"
    "4 k3 870,8,40,40 'minimize'\n"
    "3 k3 828,8,40,40 'settings'\n"
    "2 k4 786,14,34,28 'EN' selected\n"
    "1 k4 752,14,34,28 'ES'\n";

// The track's inside, and the row through the middle of the bar.
constexpr std::uint32_t kTrack = 0xFF050507;
constexpr int kBarRow = 541;

class FramePainter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ::Gdiplus::GdiplusStartupInput input;
    ::Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    fonts_ = LoadFontSet();
  }
  static void TearDownTestSuite() {
    fonts_.reset();
    ::Gdiplus::GdiplusShutdown(token_);
  }

  static Frame Paint(const WindowView& view, ::Gdiplus::GpImage* background = nullptr,
                     ::Gdiplus::GpImage* emblem = nullptr) {
    Frame frame;
    const Bitmap bitmap = NewBitmap(kWindowWidth, kWindowHeight);
    ::Gdiplus::GpGraphics* graphics = nullptr;
    if (bitmap == nullptr || GdipGetImageGraphicsContext(bitmap.get(), &graphics) != ::Gdiplus::Ok) return frame;
    PaintLog log;
    frame.regions = PaintFrame(graphics, {fonts_.get(), background, emblem}, view, log);
    frame.failed_calls = log.failed_calls;
    GdipDeleteGraphics(graphics);

    const ::Gdiplus::GpRect all(0, 0, kWindowWidth, kWindowHeight);
    ::Gdiplus::BitmapData data{};
    if (GdipBitmapLockBits(bitmap.get(), &all, ::Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
        ::Gdiplus::Ok) {
      return frame;
    }
    frame.pixels.resize(static_cast<std::size_t>(kWindowWidth) * kWindowHeight);
    for (int y = 0; y < kWindowHeight; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
      std::copy(row, row + kWindowWidth, frame.pixels.begin() + static_cast<std::ptrdiff_t>(y) * kWindowWidth);
    }
    GdipBitmapUnlockBits(bitmap.get(), &data);
    return frame;
  }

  static inline ULONG_PTR token_ = 0;
  static inline std::unique_ptr<FontSet> fonts_;
};

// Drawing with a fallback face would hide faults of the embedded fonts.
TEST_F(FramePainter, DrawsWithTheEmbeddedFaces) {
  for (::Gdiplus::GpFontFamily* family : {fonts_->display(), fonts_->script()}) {
    WCHAR name[LF_FACESIZE] = {};
    ASSERT_EQ(GdipGetFamilyName(family, name, LANG_NEUTRAL), ::Gdiplus::Ok);
    EXPECT_STRNE(name, L"Georgia");
  }
}

TEST_F(FramePainter, RegionsFollowThePageAndTheRun) {
  WindowView news = MainView(Ended(UpdatePhase::Ready, true));
  news.news = {{.title = "a", .url = "https://site/a"}, {.title = "b"}, {.title = "c", .url = "https://site/c"}};
  WindowView only_unlinked = MainView(Ended(UpdatePhase::Offline, true, StatusKind::Offline));
  only_unlinked.news = {{.title = "a", .summary = "no link"}};
  WindowView busy = MainView(Downloading(5, 10));
  busy.advice_visible = true;
  WindowView spanish = MainView({});
  spanish.english = false;

  const struct {
    const char* label;
    WindowView view;
    std::string expected;  // after the title bar in English
  } cases[] = {
      {"before the first result: no news, Play enabled without glow", MainView({}),
       "9 k1 702,368,236,46 #14\n"
       "10 k2 702,424,113,46 #15\n"
       "11 k2 825,424,113,46 'Discord'\n"
       "12 k0 726,512,212,64 #16\n"},
      {"playable, news with and without links", news,
       "6 k5 22,116,660,278\n"
       "7 k5 22,406,324,64 disabled\n"
       "8 k5 358,406,324,64\n"
       "9 k1 702,368,236,46 #14\n"
       "10 k2 702,424,113,46 #15\n"
       "11 k2 825,424,113,46 'Discord'\n"
       "12 k0 726,512,212,64 #16 emphasised\n"},
      {"offline but playable, one item without a link", only_unlinked,
       "6 k5 22,116,660,278 disabled\n"
       "9 k1 702,368,236,46 #14\n"
       "10 k2 702,424,113,46 #15\n"
       "11 k2 825,424,113,46 'Discord'\n"
       "12 k0 726,512,212,64 #16 emphasised\n"},
      {"failed: Retry", MainView(Ended(UpdatePhase::Failed, false, StatusKind::Corrupt)),
       "9 k1 702,368,236,46 #14\n"
       "10 k2 702,424,113,46 #15\n"
       "11 k2 825,424,113,46 'Discord'\n"
       "12 k0 726,512,212,64 #17\n"},
      {"busy with the banner: the news area ends higher, run buttons disabled", busy,
       "9 k1 702,310,236,46 #14 disabled\n"
       "10 k2 702,366,113,46 #15\n"
       "11 k2 825,366,113,46 'Discord'\n"
       "13 k0 614,438,196,34 #73 disabled\n"
       "14 k1 820,438,110,34 #74\n"
       "12 k0 726,512,212,64 #16 disabled\n"},
      {"settings, window mode without vsync", SettingsView(WindowMode::Windowed, false, false),
       "15 k1 670,136,100,44 #20\n"
       "16 k5 190,208,283,44 cycler\n"
       "17 k5 487,208,283,44 cycler\n"
       "18 k5 190,280,283,44 disabled cycler\n"
       "19 k5 487,280,283,44 cycler\n"
       "20 k5 190,330,283,24\n"
       "21 k5 487,330,283,24\n"
       "22 k5 190,390,283,24\n"
       "23 k5 487,390,283,24\n"
       "24 k5 190,444,283,44 cycler\n"
       "25 k1 190,512,284,46 #33\n"
       "26 k0 486,512,284,46 #34\n"},
      {"settings during a run, full screen with vsync", SettingsView(WindowMode::Fullscreen, true, true),
       "15 k1 670,136,100,44 #20\n"
       "16 k5 190,208,283,44 cycler\n"
       "17 k5 487,208,283,44 cycler\n"
       "18 k5 190,280,283,44 cycler\n"
       "19 k5 487,280,283,44 disabled cycler\n"
       "20 k5 190,330,283,24\n"
       "21 k5 487,330,283,24\n"
       "22 k5 190,390,283,24\n"
       "23 k5 487,390,283,24\n"
       "24 k5 190,444,283,44 cycler\n"
       "25 k1 190,512,284,46 #33\n"
       "26 k0 486,512,284,46 #34 disabled\n"},
  };
  for (const auto& c : cases) {
    WindowView view = c.view;
    view.english = true;
    const Frame frame = Paint(view);
    EXPECT_EQ(Describe(frame.regions), kTitleBar + c.expected) << c.label;
    EXPECT_EQ(frame.failed_calls, 0) << c.label;
  }
  const Frame frame = Paint(spanish);
  ASSERT_GE(frame.regions.size(), 5u);
  EXPECT_FALSE(frame.regions[3].selected);
  EXPECT_TRUE(frame.regions[4].selected);
}

// Every part of both pages, with every optional element shown, paints without a failed GDI+ call.
TEST_F(FramePainter, FullFramesPaintWithoutFailures) {
  WindowView main = MainView(Downloading(3, 7));
  main.news = {{"12 May", "A long title",
                "A summary long enough to need two lines of the script face, and then some "
                "more words so that it is cut after a whole word with an ellipsis.",
                "https://site/a"},
               {"11 May", "Second", "", "https://site/b"},
               {"10 May", "Third", "", ""}};
  main.server_known = true;
  main.server_online = true;
  main.latency_ms = 42;
  main.advice_visible = true;
  main.advice_level = AdviceLevel::Old;
  main.chosen_adapter = GraphicsAdapter{};
  main.chosen_adapter->name = "Old Card";  // no driver version: the banner writes "?"
  main.current_item = L"data/maps/north.pak";
  main.hover = ActionId::Play;  // disabled: no glow

  WindowView settings = SettingsView(WindowMode::Fullscreen, false, false);
  settings.hints = {.ambient_lighting = false, .body_auras_off = true, .detail_level = 1};
  settings.card = {"Old Card", "1.0", UiString::AdviceOld};
  settings.settings_message = L"Check the values.";
  settings.hover = ActionId::DetailCycler;

  const Bitmap art = BlockPicture(1240, 816, {{0, 0, 1240, 816, 0xFF406080}});
  const Bitmap emblem = BlockPicture(60, 52, {{0, 0, 60, 52, 0xFF80A0C0}});
  for (const WindowView& view : {main, settings}) {
    for (const ActionId hover : {view.hover, ActionId::Close, ActionId::SettingsPage, ActionId::Website}) {
      WindowView hovered = view;
      hovered.hover = hover;
      EXPECT_EQ(Paint(hovered, art.get(), emblem.get()).failed_calls, 0)
          << static_cast<int>(view.page) << " hover " << static_cast<int>(hover);
    }
  }
}

// The bar's inside starts at x = 24 and is 676 pixels wide: 99.97 % ends inside pixel 699, and a
// fill of half a pixel or less is not drawn at all.
TEST_F(FramePainter, ProgressFillEndsWhereThePercentSays) {
  const struct {
    const char* label;
    std::uint64_t done;
    std::uint64_t total;
    int last_filled;  // -1: nothing
    int first_track;
  } cases[] = {
      {"99.97 %", 9997, 10000, 698, 700},
      {"half", 1, 2, 361, 363},
      {"0.07 %: 0.47 pixels", 7, 10000, -1, 24},
      {"nothing to download", 0, 0, -1, 24},
  };
  for (const auto& c : cases) {
    const Frame frame = Paint(MainView(Downloading(c.done, c.total)));
    if (c.last_filled >= 0) {
      EXPECT_FALSE(Close(frame.At(c.last_filled, kBarRow), kTrack, 8)) << c.label;
      EXPECT_FALSE(Close(frame.At(24, kBarRow), kTrack, 8)) << c.label;
    }
    EXPECT_TRUE(Close(frame.At(c.first_track, kBarRow), kTrack, 2))
        << c.label << " " << std::hex << frame.At(c.first_track, kBarRow);
  }
}

TEST_F(FramePainter, TheBarIsMetalWhenReadyAndEmberOtherwise) {
  const Frame ready = Paint(MainView(Ended(UpdatePhase::Ready, true)));
  for (const int x : {30, 360, 690}) {
    const Rgb c = Channels(ready.At(x, kBarRow));
    EXPECT_GT(c.b, 150) << x;
    EXPECT_LE(std::abs(c.r - c.g), 12) << x;
    EXPECT_LE(std::abs(c.g - c.b), 12) << x;
  }
  const Frame ember = Paint(MainView(Downloading(1, 1)));
  const Rgb start = Channels(ember.At(60, kBarRow));
  EXPECT_GT(start.r, start.g + 60);
  EXPECT_GT(start.r, start.b + 60);
  // The leading edge is gold.
  EXPECT_TRUE(Close(ember.At(696, kBarRow), 0xFFF2C45A, 24)) << std::hex << ember.At(696, kBarRow);
}

// The status line sits in (22, 504, 620, 22); its fully covered pixels carry the text colour.
TEST_F(FramePainter, TheStatusLineTurnsAlertWhenTheRunFailed) {
  constexpr std::uint32_t kAlert = 0xFFEC8A7F;
  constexpr std::uint32_t kSoft = 0xFFE3E5EA;
  const struct {
    const char* label;
    StatusPanelInput run;
    bool alert;
  } cases[] = {
      {"failed", Ended(UpdatePhase::Failed, false, StatusKind::DiskFull), true},
      {"offline, nothing playable", Ended(UpdatePhase::Offline, false), true},
      {"offline but playable", Ended(UpdatePhase::Offline, true, StatusKind::Offline), false},
      {"ready", Ended(UpdatePhase::Ready, true), false},
  };
  for (const auto& c : cases) {
    const Frame frame = Paint(MainView(c.run));
    const int alert = frame.CountNear(kAlert, 6, 22, 504, 620, 22);
    const int soft = frame.CountNear(kSoft, 6, 22, 504, 620, 22);
    EXPECT_EQ(alert > 10, c.alert) << c.label << " alert pixels " << alert;
    EXPECT_EQ(soft > 10, !c.alert) << c.label << " soft pixels " << soft;
  }
}

// A card's top edge lies in row 116 (featured) or 406 (small cards); only a clickable card under the
// pointer gets the brighter border.
TEST_F(FramePainter, OnlyALinkedNewsCardShowsTheHoverBorder) {
  WindowView view = MainView(Ended(UpdatePhase::Ready, true));
  view.news = {{.title = "linked", .url = "https://site/a"}, {.title = "not linked"}};
  const auto edge = [](const Frame& frame, int x, int y) {
    int brightest = 0;
    for (int row = y - 1; row <= y + 1; ++row) brightest = std::max(brightest, Brightness(frame.At(x, row)));
    return brightest;
  };
  const Frame resting = Paint(view);
  view.hover = ActionId::NewsFeatured;
  const Frame over_linked = Paint(view);
  view.hover = ActionId::NewsSecond;
  const Frame over_unlinked = Paint(view);

  EXPECT_GT(edge(over_linked, 300, 116), edge(resting, 300, 116) + 60);
  EXPECT_EQ(edge(over_unlinked, 200, 406), edge(resting, 200, 406));
}

// The art is drawn mirrored: its left half ends up on the window's right. Its colours are scaled to
// 62 % before the darkening gradient (about half way down, at y = 300) is laid over them.
TEST_F(FramePainter, BackgroundArtIsMirroredAndDarkened) {
  const Bitmap art = BlockPicture(1240, 816, {{0, 0, 620, 816, 0xFFFF0000}, {620, 0, 620, 816, 0xFF0000FF}});
  const Frame frame = Paint(MainView({}), art.get());
  const Rgb right = Channels(frame.At(950, 300));
  const Rgb left = Channels(frame.At(10, 300));
  EXPECT_GT(right.r, right.b + 40);
  EXPECT_GT(left.b, left.r + 40);
  // 255 × 0.62 under an overlay of alpha 0x84 is about 79; without the 62 % it would be about 123.
  EXPECT_NEAR(right.r, 79, 12);
}

TEST_F(FramePainter, TheTitleStartsAfterTheEmblemOrAtTheEdgeWithout) {
  const auto bright_in = [](const Frame& frame, int x0, int x1) {
    int bright = 0;
    for (int y = 14; y < 42; ++y) {
      for (int x = x0; x < x1; ++x) bright += Brightness(frame.At(x, y)) > 450 ? 1 : 0;
    }
    return bright;
  };
  const Bitmap emblem = BlockPicture(60, 52, {{0, 0, 60, 52, 0xFF00FF00}});
  const Frame with = Paint(MainView({}), nullptr, emblem.get());
  const Frame without = Paint(MainView({}));
  const Rgb mark = Channels(with.At(35, 26));
  EXPECT_GT(mark.g, 200);
  EXPECT_LT(mark.r, 40);
  EXPECT_GT(bright_in(without, 20, 40), 0);
  EXPECT_EQ(bright_in(with, 20, 58), 0);
  EXPECT_GT(bright_in(with, 60, 80), 0);
}

}  // namespace
}  // namespace dkl
