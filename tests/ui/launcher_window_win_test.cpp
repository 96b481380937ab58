// The real launcher window under Wine on an X display, driven with real X input by xdotool, against
// an update site nginx serves at the development build's own mirror address (over https, as players'
// primary mirror is).
#include "ui/launcher_window_win.h"

#include <windows.h>

#include <dkl/build_settings.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "base/paths_win.h"
#include "base/text_win.h"
#include "support/child_process_win.h"
#include "support/launcher_window_win.h"
#include "support/nginx_server_win.h"
#include "support/temp_dir.h"
#include "support/test_site.h"

namespace dkl {
namespace {

using std::chrono::milliseconds;
using testing::ChildProcess;
using testing::CopyBuiltProgram;
using testing::NginxServer;
using testing::PollUntil;
using testing::ReadFile;
using testing::RecordValue;
using testing::RegionPoint;
using testing::TempDir;
using testing::TestSite;
using testing::WaitForLauncherWindow;
using testing::XInput;

constexpr milliseconds kRunLimit{20000};
constexpr milliseconds kEffectLimit{10000};
constexpr milliseconds kRetryStep{1000};
constexpr DWORD kExitLimitMs = 15000;

// The primary mirror built into this launcher, "https://localhost:PORT/PATH" (or http): its
// scheme, port and path.
struct MirrorAddress {
  bool secure = false;
  std::uint16_t port = 0;
  std::string path;
};

MirrorAddress BuiltInMirror() {
  const std::string url = kPrimaryUpdateBaseUrl;
  const std::size_t host = url.find("//") + 2;
  const std::size_t colon = url.find(':', host);
  const std::size_t slash = url.find('/', host);
  if (colon == std::string::npos || slash == std::string::npos || colon > slash) return {};
  return {url.starts_with("https:"), static_cast<std::uint16_t>(std::stoi(url.substr(colon + 1, slash - colon - 1))),
          url.substr(slash + 1)};
}

// The site served where the launcher looks for it, over TLS when its built-in mirror is https.
testing::NginxOptions BuiltInMirrorServer(const MirrorAddress& mirror) {
  testing::NginxOptions options{.port = mirror.port};
  if (mirror.secure) options.tls = testing::TlsSetup{};
  return options;
}

std::filesystem::path LauncherSettingsFile() { return AppDataFolder() / "settings.json"; }

nlohmann::json JsonFile(const std::filesystem::path& file) {
  return nlohmann::json::parse(ReadFile(file), nullptr, false, false);
}

class LauncherWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test starts from a player's first start: no language, no accepted serial.
    std::filesystem::remove(LauncherSettingsFile());
    ASSERT_NE(mirror_.port, 0) << kPrimaryUpdateBaseUrl;
    ASSERT_TRUE(nginx_.ok()) << nginx_.log();
    launcher_ = CopyBuiltProgram(L"DuskcrownLauncher.exe", game_.path());
  }

  void TearDown() override {
    process_.reset();
    std::filesystem::remove(LauncherSettingsFile());
  }

  void PublishGame() {
    site_.Put("bin/Game.exe", ReadFile(ExecutablePath().parent_path() / "test_game.exe"));
    site_.Publish(1, "1.0.0", "bin/Game.exe");
  }

  // Starts the launcher in its game folder and waits for its window.
  HWND Start() {
    process_ = std::make_unique<ChildProcess>(launcher_, std::vector<std::wstring>{}, game_.path());
    return process_->started() ? WaitForLauncherWindow(process_->id()) : nullptr;
  }

  // The first run has stored the serial it accepted, the last step before it ends.
  bool FirstRunEnded() const {
    const nlohmann::json settings = JsonFile(LauncherSettingsFile());
    return settings.is_object() && settings.value("max_serial", 0) == 1;
  }

  // Clicks region `id` until `done` holds: a button that is disabled while a run ends does nothing.
  template <typename Predicate>
  bool ClickUntil(HWND window, ActionId id, Page page, Predicate done) {
    return PollUntil(
        [&] {
          input_.Click(window, RegionPoint(window, id, page));
          return PollUntil(done, kRetryStep);
        },
        kEffectLimit);
  }

  std::string GameRecord() const { return ReadFile(game_ / "bin" / "test-game-record.txt"); }

  MirrorAddress mirror_ = BuiltInMirror();
  TempDir web_;
  TempDir game_;
  TempDir scratch_;
  TestSite site_{web_ / mirror_.path};
  NginxServer nginx_{web_.path(), BuiltInMirrorServer(mirror_)};
  XInput input_{scratch_.path()};
  std::filesystem::path launcher_;
  std::unique_ptr<ChildProcess> process_;
};

TEST_F(LauncherWindowTest, OpensCentredAt960x600AndPlayStartsTheGameAndCloses) {
  PublishGame();
  const HWND window = Start();
  ASSERT_NE(window, nullptr);
  RECT frame{};
  ASSERT_TRUE(GetWindowRect(window, &frame));
  EXPECT_EQ(frame.right - frame.left, 960);
  EXPECT_EQ(frame.bottom - frame.top, 600);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(frame.left, work.left + (work.right - work.left - 960) / 2);
  EXPECT_EQ(frame.top, work.top + (work.bottom - work.top - 600) / 2);

  ASSERT_TRUE(PollUntil([&] { return FirstRunEnded(); }, kRunLimit));
  ASSERT_TRUE(ClickUntil(window, ActionId::Play, Page::Main, [&] { return !GameRecord().empty(); }))
      << input_.log();
  const std::string record = GameRecord();
  EXPECT_EQ(RecordValue(record, "arg"), "--from-launcher");
  EXPECT_EQ(RecordValue(record, "cwd"), WideToUtf8(game_.path().native()));
  EXPECT_EQ(process_->Wait(kExitLimitMs), 0) << "the launcher closes once the game runs";
}

TEST_F(LauncherWindowTest, EnglishPillStoresTheLanguageAndCloseEndsTheLauncher) {
  const HWND window = Start();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(input_.Click(window, RegionPoint(window, ActionId::English, Page::Main))) << input_.log();
  EXPECT_TRUE(PollUntil(
      [] {
        const nlohmann::json settings = JsonFile(LauncherSettingsFile());
        return settings.is_object() && settings.value("lang", "") == "en";
      },
      kEffectLimit));
  input_.Click(window, RegionPoint(window, ActionId::Close, Page::Main));
  EXPECT_EQ(process_->Wait(kExitLimitMs), 0);
}

TEST_F(LauncherWindowTest, SettingsPageSavesTheResolutionAndEscapeLeavesItUnsaved) {
  PublishGame();
  const HWND window = Start();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(PollUntil([&] { return FirstRunEnded(); }, kRunLimit));
  const std::filesystem::path game_settings = game_ / "settings.json";
  const auto width_is = [&](unsigned width) {
    const nlohmann::json document = JsonFile(game_settings);
    return document.is_object() && document.contains("window") && document["window"].value("width", 0u) == width;
  };

  ASSERT_TRUE(input_.Click(window, RegionPoint(window, ActionId::SettingsPage, Page::Main))) << input_.log();
  ASSERT_TRUE(input_.Click(window, RegionPoint(window, ActionId::ResolutionCycler, Page::Settings)));
  ASSERT_TRUE(ClickUntil(window, ActionId::Save, Page::Settings, [&] { return width_is(1024); })) << input_.log();
  EXPECT_EQ(JsonFile(game_settings)["window"].value("height", 0u), 768u);

  // Open the page again, step the resolution once more, and leave with Escape: nothing is saved, and
  // the main page is back, so the click on Play starts the game.
  ASSERT_TRUE(input_.Click(window, RegionPoint(window, ActionId::SettingsPage, Page::Main)));
  ASSERT_TRUE(input_.Click(window, RegionPoint(window, ActionId::ResolutionCycler, Page::Settings)));
  ASSERT_TRUE(input_.Key(window, "Escape")) << input_.log();
  input_.Click(window, RegionPoint(window, ActionId::Play, Page::Main));
  EXPECT_TRUE(PollUntil([&] { return !GameRecord().empty(); }, kEffectLimit)) << "Escape left the settings page";
  EXPECT_EQ(process_->Wait(kExitLimitMs), 0);
  EXPECT_TRUE(width_is(1024)) << ReadFile(game_settings);
}

// The system's picker, a dialog owned by the launcher window; null when none appeared within `limit`.
HWND WaitForFolderPicker(HWND owner, milliseconds limit) {
  HWND picker = nullptr;
  PollUntil(
      [&] {
        picker = FindWindowW(L"#32770", nullptr);
        return picker != nullptr && GetWindow(picker, GW_OWNER) == owner;
      },
      limit);
  return picker != nullptr && GetWindow(picker, GW_OWNER) == owner ? picker : nullptr;
}

TEST_F(LauncherWindowTest, BrowseShowsTheFolderPickerAndCancelKeepsTheWindowWorking) {
  const HWND window = Start();
  ASSERT_NE(window, nullptr);
  // A window's first click may only give it the focus, so each attempt starts again from the main page.
  HWND picker = nullptr;
  PollUntil(
      [&] {
        input_.Key(window, "Escape");
        input_.Click(window, RegionPoint(window, ActionId::SettingsPage, Page::Main));
        input_.Click(window, RegionPoint(window, ActionId::Browse, Page::Settings));
        picker = WaitForFolderPicker(window, kRetryStep);
        return picker != nullptr;
      },
      kEffectLimit);
  ASSERT_NE(picker, nullptr) << "no folder picker owned by the window; " << input_.log();
  EXPECT_FALSE(IsWindowEnabled(window)) << "the picker is modal";
  PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(PollUntil([&] { return IsWindowEnabled(window) != FALSE; }, kEffectLimit));
  ASSERT_TRUE(input_.Key(window, "Escape")) << input_.log();
  input_.Click(window, RegionPoint(window, ActionId::Close, Page::Main));
  EXPECT_EQ(process_->Wait(kExitLimitMs), 0);
}

TEST_F(LauncherWindowTest, SecondLauncherRestoresTheFirstWindowAndExitsZero) {
  const HWND window = Start();
  ASSERT_NE(window, nullptr);
  // A minimised window is not painted, so this click cannot wait for a new frame.
  input_.Click(window, RegionPoint(window, ActionId::Minimize, Page::Main));
  ASSERT_TRUE(PollUntil([&] { return IsIconic(window) != 0; }, kEffectLimit));

  TempDir elsewhere;
  const auto second = CopyBuiltProgram(L"DuskcrownLauncher.exe", elsewhere.path());
  EXPECT_EQ(testing::RunToExit(second, elsewhere.path()), 0);
  EXPECT_TRUE(PollUntil([&] { return IsIconic(window) == 0 && IsWindowVisible(window) != 0; }, kEffectLimit));
  EXPECT_TRUE(process_->Wait(0) == -1) << "the first launcher still runs";
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(process_->Wait(kExitLimitMs), 0);
}

TEST_F(LauncherWindowTest, PublishedNewerLauncherClosesTheWindowAndStartsTheNewOne) {
  // The "new launcher" is the child probe: once started, it reports how.
  site_.PutLauncher("9.9.9", ReadFile(ExecutablePath().parent_path() / "child_probe.exe"));
  PublishGame();
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(process_->Wait(kExitLimitMs), 0) << "the window closed by itself";
  const std::string report = testing::WaitForFile(game_ / "child-report.txt");
  ASSERT_FALSE(report.empty()) << "the new launcher started";
  EXPECT_EQ(RecordValue(report, "cmd"), "\"" + WideToUtf8(launcher_.native()) + "\"");
  EXPECT_EQ(RecordValue(report, "cwd"), WideToUtf8(game_.path().native()));
}

}  // namespace
}  // namespace dkl
